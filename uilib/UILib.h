// The UI library's umbrella header: include this to use any part of it.
#pragma once

#include "uilib/core/Handles.h"
#include "uilib/core/UIString.h"
#include "uilib/core/UIDefines.h"
#include "uilib/core/ValueParse.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/WindowWnd.h"
#include "uilib/core/WindowImplBase.h"
#include "uilib/render/RenderEngine.h"
#include "uilib/controls/ControlUI.h"
#include "uilib/controls/ContainerUI.h"
#include "uilib/controls/ScrollBarUI.h"
#include "uilib/controls/LayoutUI.h"
#include "uilib/controls/LabelUI.h"
#include "uilib/controls/ButtonUI.h"
#include "uilib/controls/ProgressUI.h"
#include "uilib/controls/GifAnimUI.h"
#include "uilib/builder/DialogBuilder.h"
#if __has_include("uilib/controls/EditUI.h")
#include "uilib/controls/EditUI.h"
#endif
#if __has_include("uilib/controls/RichEditUI.h")
#include "uilib/controls/RichEditUI.h"
#endif
#if __has_include("uilib/controls/ComboUI.h")
#include "uilib/controls/ComboUI.h"
#endif
#if __has_include("uilib/controls/ListUI.h")
#include "uilib/controls/ListUI.h"
#endif
#if __has_include("uilib/shadow/WndShadow.h")
#include "uilib/shadow/WndShadow.h"
#endif
