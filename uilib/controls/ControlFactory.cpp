// Tag name → built-in control: the one table of the library's own tags.
#include "uilib/controls/ControlFactory.h"

#include <cwchar>

#include "uilib/controls/ButtonUI.h"
#include "uilib/controls/ComboUI.h"
#include "uilib/controls/ContainerUI.h"
#include "uilib/controls/EditUI.h"
#include "uilib/controls/GifAnimUI.h"
#include "uilib/controls/LabelUI.h"
#include "uilib/controls/LayoutUI.h"
#include "uilib/controls/ListUI.h"
#include "uilib/controls/ProgressUI.h"
#include "uilib/controls/RichEditUI.h"
#include "uilib/controls/ScrollBarUI.h"

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
    {L"Edit", Make<CEditUI>},
    {L"RichEdit", Make<CRichEditUI>},
    {L"List", Make<CListUI>},
    {L"ListContainerElement", Make<CListContainerElementUI>},
    {L"ListLabelElement", Make<CListLabelElementUI>},
    {L"Combo", Make<CComboUI>},
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
