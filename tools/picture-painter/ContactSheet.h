#pragma once

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

// Lays pictures out on a grid, each scaled into its cell with its name under it, so the whole
// set can be reviewed at a glance.
QImage composeContactSheet(const std::vector<std::pair<QString, QImage>>& pictures, int columns,
                           int cellWidth);
