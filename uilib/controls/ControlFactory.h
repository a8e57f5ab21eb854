// The one place that maps skin tag names to built-in control classes.
#pragma once

#include "uilib/core/UIDefines.h"

namespace uilib {

// A new control for a built-in tag ("Control", "Container", "VerticalLayout", "VBox",
// "HorizontalLayout", "HBox", "TabLayout", "Label", "Text", "Button", "Option", "CheckBox",
// "Progress", "GifAnim", "ScrollBar", "Edit", "RichEdit", "Combo", "List",
// "ListContainerElement"), or nullptr.
CControlUI* CreateBuiltinControl(const wchar_t* tag);

}  // namespace uilib
