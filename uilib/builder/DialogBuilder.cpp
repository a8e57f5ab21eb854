// CDialogBuilder: XML skin → window attributes, fonts, images, default attribute lists and
// the control tree. Malformed XML or a missing file gives nullptr; unknown tags are skipped.
#include "uilib/builder/DialogBuilder.h"

#include <algorithm>
#include <string_view>

#include "uilib/controls/ContainerUI.h"
#include "uilib/controls/ControlFactory.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/ValueParse.h"
#include "uilib/xml/XmlDocument.h"

namespace {

const wchar_t* Attr(const CXmlNode& node, const wchar_t* name, const wchar_t* fallback = L"") {
    const wchar_t* v = node.Attribute(name);
    return v ? v : fallback;
}

void ApplyWindowAttributes(const CXmlNode& window, CPaintManagerUI& pm) {
    for (const auto& [name, value] : window.attributes) {
        pm.SetWindowAttribute(name.c_str(), value.c_str());
        RECT rc;
        SIZE sz;
        if (name == L"size") {
            if (uilib::ParseSize(value, sz)) pm.SetInitSize(sz.cx, sz.cy);
        } else if (name == L"caption") {
            if (uilib::ParseRect(value, rc)) pm.SetCaptionRect(rc);
        } else if (name == L"sizebox") {
            if (uilib::ParseRect(value, rc)) pm.SetSizeBox(rc);
        } else if (name == L"mininfo") {
            if (uilib::ParseSize(value, sz)) pm.SetMinInfo(sz.cx, sz.cy);
        } else if (name == L"maxinfo") {
            if (uilib::ParseSize(value, sz)) pm.SetMaxInfo(sz.cx, sz.cy);
        } else if (name == L"roundcorner") {
            if (uilib::ParseSize(value, sz)) pm.SetRoundCorner(sz.cx, sz.cy);
        } else if (name == L"alpha" || name == L"opacity") {
            pm.SetTransparent(uilib::ParseIntOr(value, 255));
        } else if (name == L"defaultfontcolor") {
            pm.SetDefaultTextColor(uilib::ParseColorOr(value, pm.GetDefaultTextColor()));
        } else if (name == L"disabledfontcolor") {
            pm.SetDefaultDisabledColor(uilib::ParseColorOr(value, pm.GetDefaultDisabledColor()));
        }
    }
}

void AddFontNode(const CXmlNode& node, CPaintManagerUI& pm) {
    int id = uilib::ParseIntOr(Attr(node, L"id"), -1);
    int size = uilib::ParseIntOr(Attr(node, L"size"), 12);
    bool bold = uilib::ParseBool(Attr(node, L"bold"));
    bool underline = uilib::ParseBool(Attr(node, L"underline"));
    bool italic = uilib::ParseBool(Attr(node, L"italic"));
    bool shared = uilib::ParseBool(Attr(node, L"shared"));
    const wchar_t* name = Attr(node, L"name");
    if (id < 0) return;
    if (!pm.AddFont(id, name, size, bold, underline, italic, shared)) return;
    if (uilib::ParseBool(Attr(node, L"default"))) pm.SetDefaultFontId(id);
}

// Fonts, images and default lists; true when the node was one of those.
bool ApplyResourceNode(const CXmlNode& node, CPaintManagerUI* pm) {
    if (node.name == L"Font") {
        if (pm) AddFontNode(node, *pm);
        return true;
    }
    if (node.name == L"Image") {
        if (pm && *Attr(node, L"name")) {
            const wchar_t* type = node.Attribute(L"restype");
            DWORD mask = uilib::ParseColorOr(Attr(node, L"mask"), 0);
            if (!pm->GetImage(Attr(node, L"name"))) pm->AddImage(Attr(node, L"name"), type, mask, uilib::ParseBool(Attr(node, L"shared")));
        }
        return true;
    }
    if (node.name == L"Default") {
        if (pm && *Attr(node, L"name")) pm->AddDefaultAttributeList(Attr(node, L"name"), Attr(node, L"value"), uilib::ParseBool(Attr(node, L"shared")));
        return true;
    }
    return false;
}

class TreeBuilder {
public:
    TreeBuilder(IDialogBuilderCallback* cb, CPaintManagerUI* pm) : cb_(cb), pm_(pm) {}

    // Builds the control elements among nodes; returns the first one made.
    CControlUI* BuildChildren(const std::vector<CXmlNode>& nodes, CControlUI* parent, int depth) {
        CControlUI* first = nullptr;
        for (const CXmlNode& node : nodes) {
            if (ApplyResourceNode(node, pm_)) continue;
            if (node.name == L"Include") {
                CControlUI* included = BuildInclude(node, parent);
                if (!first) first = included;
                continue;
            }
            CControlUI* control = BuildControl(node, parent, depth);
            if (!control) continue;
            if (!first) first = control;
            // Without a parent only the first control is wanted.
            if (!parent) break;
        }
        return first;
    }

private:
    CControlUI* Create(const std::wstring& tag) {
        if (CControlUI* c = uilib::CreateBuiltinControl(tag.c_str())) return c;
        return cb_ ? cb_->CreateControl(tag.c_str()) : nullptr;
    }

    CControlUI* BuildControl(const CXmlNode& node, CControlUI* parent, int depth) {
        CControlUI* control = Create(node.name);
        if (!control) return nullptr;
        control->SetManager(pm_, parent, false);
        if (pm_) {
            if (LPCTSTR defaults = pm_->GetDefaultAttributeList(node.name.c_str())) control->ApplyAttributeList(defaults);
        }
        for (const auto& [name, value] : node.attributes) control->SetAttribute(name.c_str(), value.c_str());
        auto* container = static_cast<CContainerUI*>(control->GetInterface(L"Container"));
        if (container && !node.children.empty() && depth < 200) BuildChildren(node.children, container, depth + 1);
        if (parent) {
            auto* parentContainer = static_cast<CContainerUI*>(parent->GetInterface(L"Container"));
            if (!parentContainer || !parentContainer->Add(control)) {
                delete control;
                return nullptr;
            }
        }
        return control;
    }

    CControlUI* BuildInclude(const CXmlNode& node, CControlUI* parent) {
        if (includeDepth_ > 8) return nullptr;
        int count = std::max(1, uilib::ParseIntOr(Attr(node, L"count"), 1));
        CControlUI* first = nullptr;
        CDialogBuilder nested;
        ++includeDepth_;
        for (int i = 0; i < count && i < 100; ++i) {
            CControlUI* c = nested.Create(Attr(node, L"source"), cb_, pm_, parent);
            if (!first) first = c;
            if (!parent) break;
        }
        --includeDepth_;
        return first;
    }

    IDialogBuilderCallback* cb_;
    CPaintManagerUI* pm_;
    static thread_local int includeDepth_;
};

thread_local int TreeBuilder::includeDepth_ = 0;

}  // namespace

CDialogBuilder::CDialogBuilder() = default;
CDialogBuilder::~CDialogBuilder() = default;

CControlUI* CDialogBuilder::Create(LPCTSTR pstrSkinFile, IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager, CControlUI* pParent) {
    CDuiString file = pstrSkinFile;
    if (m_root && file == m_sLoadedFile && !file.IsEmpty()) return BuildDocument(pCallback, pManager, pParent);
    std::vector<BYTE> bytes;
    if (!CPaintManagerUI::LoadResourceFile(file, bytes)) {
        m_root.reset();
        m_sLoadedFile.Empty();
        m_sError = CDuiString(L"cannot read ") + file;
        return nullptr;
    }
    CControlUI* control = CreateFromMemory(bytes.data(), bytes.size(), pCallback, pManager, pParent);
    if (m_root) m_sLoadedFile = file;
    return control;
}

CControlUI* CDialogBuilder::CreateFromMemory(const void* pData, size_t size, IDialogBuilderCallback* pCallback,
                                             CPaintManagerUI* pManager, CControlUI* pParent) {
    m_sLoadedFile.Empty();
    auto root = std::make_unique<CXmlNode>();
    std::wstring error;
    if (!pData || size == 0 || !ParseXml(pData, size, *root, &error)) {
        m_root.reset();
        m_sError = error.empty() ? L"empty document" : error;
        return nullptr;
    }
    m_root = std::move(root);
    return BuildDocument(pCallback, pManager, pParent);
}

CControlUI* CDialogBuilder::Create(IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager, CControlUI* pParent) {
    if (!m_root) return nullptr;
    return BuildDocument(pCallback, pManager, pParent);
}

CDuiString CDialogBuilder::GetLastErrorMessage() const { return m_sError; }

CControlUI* CDialogBuilder::BuildDocument(IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager, CControlUI* pParent) {
    m_sError.Empty();
    TreeBuilder builder(pCallback, pManager);
    CControlUI* result = nullptr;
    if (m_root->name == L"Window") {
        if (pManager && !pParent) ApplyWindowAttributes(*m_root, *pManager);
        result = builder.BuildChildren(m_root->children, pParent, 0);
    } else {
        result = builder.BuildChildren(std::vector<CXmlNode>{*m_root}, pParent, 0);
    }
    if (!result) m_sError = L"no control in the skin";
    return result;
}
