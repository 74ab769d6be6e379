// The entries of one profile menu level, in menu order. The list owns them.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class MyMenuItem;
class wxXmlNode;

class MenuItemArray {
public:
    MenuItemArray();
    ~MenuItemArray();

    MenuItemArray(const MenuItemArray&) = delete;
    MenuItemArray& operator=(const MenuItemArray&) = delete;

    // Takes ownership of the entry.
    void Add(MyMenuItem* item);
    MyMenuItem* Item(size_t index) const { return m_items[index].get(); }
    // Null when the index lies outside the list.
    MyMenuItem* ItemAt(int index) const
    {
        return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index].get()
                                                                        : nullptr;
    }
    size_t GetCount() const { return m_items.size(); }
    bool IsEmpty() const { return m_items.empty(); }
    // Deletes every entry and empties the list.
    void DeleteAll();

    // Appends an entry for every shown child element of `parent` (isShow read
    // as a base-10 number, nonzero meaning shown); each takes `category` as
    // its parent and the number of entries taken so far as its index.
    // `withProfileFields` also copies the description and the converter
    // parameters.
    void LoadShownChildren(const wxXmlNode* parent, MyMenuItem* category, bool withProfileFields);

private:
    std::vector<std::unique_ptr<MyMenuItem>> m_items;
};
