#pragma once
// A fresh module window by its number, for the tests that drive every module's frame alike.

#include "frame/modulewindow.h"
#include "windows/module1window.h"
#include "windows/module2window.h"
#include "windows/module3window.h"

#include <memory>

namespace sp::test {

inline std::unique_ptr<frame::ModuleWindow> makeModuleWindow(int module) {
    if (module == 1)
        return std::make_unique<module1::Module1Window>();
    if (module == 2)
        return std::make_unique<module2::Module2Window>();
    return std::make_unique<module3::Module3Window>();
}

} // namespace sp::test
