#pragma once

class QWidget;

namespace tk {

// Integer tags identify the controls that are looked up again. Any widget can carry one;
// 0 means none.
void setTag(QWidget* view, int tag);
int tagOf(const QWidget* view);

// Depth-first search of the subtree in stacking order (back first), the view itself
// included; the first match wins. nullptr when absent or when `root` is nullptr.
QWidget* viewWithTag(QWidget* root, int tag);

template <typename T>
T* viewWithTag(QWidget* root, int tag) {
    return dynamic_cast<T*>(viewWithTag(root, tag));
}

}  // namespace tk
