// Tag name → built-in control. Controls written in separate files join here when present.
#include "uilib/controls/ControlFactory.h"

#include <cwchar>

#include "uilib/controls/ButtonUI.h"
#include "uilib/controls/ContainerUI.h"
#include "uilib/controls/GifAnimUI.h"
#include "uilib/controls/LabelUI.h"
#include "uilib/controls/LayoutUI.h"
#include "uilib/controls/ProgressUI.h"
#include "uilib/controls/ScrollBarUI.h"
#if __has_include("uilib/controls/EditUI.h")
#include "uilib/controls/EditUI.h"
#define UILIB_HAS_EDIT 1
#endif
#if __has_include("uilib/controls/RichEditUI.h")
#include "uilib/controls/RichEditUI.h"
#define UILIB_HAS_RICHEDIT 1
#endif
#if __has_include("uilib/controls/ListUI.h")
#include "uilib/controls/ListUI.h"
#define UILIB_HAS_LIST 1
#endif
#if __has_include("uilib/controls/ComboUI.h")
#include "uilib/controls/ComboUI.h"
#define UILIB_HAS_COMBO 1
#endif

namespace uilib {
namespace {

template <typename T>
CControlUI* Make() { return new T; }

struct FactoryEntry {
    const wchar_t* tag;
    CControlUI* (*make)();
};

const FactoryEntry kFactory[] = {
    {L"Control", Make<CControlUI>},
    {L"Container", Make<CContainerUI>},
    {L"VerticalLayout", Make<CVerticalLayoutUI>},
    {L"VBox", Make<CVerticalLayoutUI>},
    {L"HorizontalLayout", Make<CHorizontalLayoutUI>},
    {L"HBox", Make<CHorizontalLayoutUI>},
    {L"TabLayout", Make<CTabLayoutUI>},
    {L"Label", Make<CLabelUI>},
    {L"Text", Make<CTextUI>},
    {L"Button", Make<CButtonUI>},
    {L"Option", Make<COptionUI>},
    {L"CheckBox", Make<COptionUI>},
    {L"Progress", Make<CProgressUI>},
    {L"GifAnim", Make<CGifAnimUI>},
    {L"ScrollBar", Make<CScrollBarUI>},
#ifdef UILIB_HAS_EDIT
    {L"Edit", Make<CEditUI>},
#endif
#ifdef UILIB_HAS_RICHEDIT
    {L"RichEdit", Make<CRichEditUI>},
#endif
#ifdef UILIB_HAS_LIST
    {L"List", Make<CListUI>},
    {L"ListContainerElement", Make<CListContainerElementUI>},
    {L"ListLabelElement", Make<CListLabelElementUI>},
#endif
#ifdef UILIB_HAS_COMBO
    {L"Combo", Make<CComboUI>},
#endif
};

}  // namespace

CControlUI* CreateBuiltinControl(const wchar_t* tag) {
    if (!tag) return nullptr;
    for (const FactoryEntry& e : kFactory) {
        if (wcscmp(e.tag, tag) == 0) return e.make();
    }
    return nullptr;
}

}  // namespace uilib
