// CDialogBuilder: turns an XML skin into a control tree. The Window tag sets the manager's
// window attributes ("size", "caption", "sizebox", "mininfo", "maxinfo", "roundcorner",
// "showshadow", "shadowimage", "shadowsize", "shadowcorner", "shadowdarkness",
// "shadowcolor", "shadowposition"); Font, Image and Default tags fill the manager's tables;
// Include pulls in another skin file; every other tag is a control made by the factory, or
// by the callback for custom tags. Unknown tags are skipped with their children.
// The parsed document is kept, so one builder can make many copies (list rows).
// Threading: UI thread only.
#pragma once

#include <memory>
#include <vector>

#include "uilib/core/UIDefines.h"

struct CXmlNode;

class CDialogBuilder {
public:
    CDialogBuilder();
    ~CDialogBuilder();
    CDialogBuilder(const CDialogBuilder&) = delete;
    CDialogBuilder& operator=(const CDialogBuilder&) = delete;

    // Loads the skin file (through CPaintManagerUI::LoadResourceFile, unless already
    // loaded by this builder) and builds it. nullptr when the file is missing, the XML is
    // malformed or no control comes out of it. With pParent the controls are added to it.
    CControlUI* Create(LPCTSTR pstrSkinFile, IDialogBuilderCallback* pCallback = nullptr,
                       CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);
    // Builds from XML bytes (UTF-8 or UTF-16 with BOM).
    CControlUI* CreateFromMemory(const void* pData, size_t size, IDialogBuilderCallback* pCallback = nullptr,
                                 CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);
    // Builds again from the document loaded last.
    CControlUI* Create(IDialogBuilderCallback* pCallback = nullptr, CPaintManagerUI* pManager = nullptr,
                       CControlUI* pParent = nullptr);
    // Why the last load failed ("" after success).
    CDuiString GetLastErrorMessage() const;

private:
    CControlUI* BuildDocument(IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager, CControlUI* pParent);

    std::unique_ptr<CXmlNode> m_root;
    CDuiString m_sLoadedFile;
    CDuiString m_sError;
};
