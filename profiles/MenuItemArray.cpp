#include "MenuItemArray.h"

#include "FormatCatalog.h"
#include "ImageUtil.h"
#include "MyMenuItem.h"

#include <wx/xml/xml.h>

MenuItemArray::MenuItemArray() = default;

MenuItemArray::~MenuItemArray() = default;

void MenuItemArray::Add(MyMenuItem* item)
{
    m_items.emplace_back(item);
}

void MenuItemArray::DeleteAll()
{
    m_items.clear();
}

void MenuItemArray::LoadShownChildren(const wxXmlNode* parent, MyMenuItem* category,
                                      bool withProfileFields)
{
    if (!parent)
        return;
    int taken = 0;
    for (const wxXmlNode* node = parent->GetChildren(); node; node = node->GetNext()) {
        if (node->GetType() != wxXML_ELEMENT_NODE || !IsShownNode(node))
            continue;
        auto* item = new MyMenuItem;
        item->SetParent(category);
        item->SetIndex(taken++);
        item->SetAlias(node->GetAttribute("alias", wxEmptyString));
        item->SetId(node->GetAttribute("id", wxEmptyString));
        if (withProfileFields) {
            item->SetDescription(node->GetAttribute("description", wxEmptyString));
            item->SetTransferExtraParam(node->GetAttribute("transfer_extra_param", wxEmptyString));
        }
        item->SetImage(ImageUtil::LoadThemeBitmap(node->GetAttribute("image", wxEmptyString),
                                                  wxBITMAP_TYPE_PNG));
        item->SetShow(true);
        Add(item);
    }
}
