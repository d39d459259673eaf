#pragma once

namespace tk {
class Runtime;
}

namespace panels {

class LanguageStore;

// What every panel is built with: the toolkit runtime (bundle, idiom, screen measures) and the
// shared language loader its texts come from. Both outlive the panels.
struct PanelContext {
    tk::Runtime& runtime;
    LanguageStore& languages;
};

}  // namespace panels
