// An ordered collection whose items can also be reached by a key that ignores case.
#pragma once

#include "RuntimeError.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace runtime {

// The form in which keys are compared: case folded ("X" and "x" are one key). ASCII texts are
// folded without leaving the call; others go through Unicode case folding.
std::string foldKey(std::string_view key);

template <class T>
class KeyedCollection {
public:
    // Positions count from 1. `before` and `after` place the new item before or after an existing
    // position (at most one of them); a key already present raises 5, a bad position 9.
    void add(T value, std::optional<std::string_view> key = std::nullopt,
             std::optional<int> before = std::nullopt, std::optional<int> after = std::nullopt)
    {
        if (before && after)
            raise(InvalidArgument);
        std::string folded;
        if (key) {
            folded = foldKey(*key);
            if (indexOfFolded(folded) >= 0)
                raise(InvalidArgument);
        }
        std::size_t at = m_items.size();
        if (before) {
            checkPosition(*before);
            at = std::size_t(*before - 1);
        } else if (after) {
            checkPosition(*after);
            at = std::size_t(*after);
        }
        m_items.insert(m_items.begin() + std::ptrdiff_t(at),
                       Item{std::move(value), key.has_value(), std::move(folded)});
    }

    int count() const noexcept { return int(m_items.size()); }

    const T &item(int position) const
    {
        checkPosition(position);
        return m_items[std::size_t(position - 1)].value;
    }

    const T &item(std::string_view key) const
    {
        const T *found = find(key);
        if (!found)
            raise(InvalidArgument);
        return *found;
    }

    void remove(int position)
    {
        checkPosition(position);
        m_items.erase(m_items.begin() + (position - 1));
    }

    void remove(std::string_view key)
    {
        const int index = indexOfFolded(foldKey(key));
        if (index < 0)
            raise(InvalidArgument);
        m_items.erase(m_items.begin() + index);
    }

    // The item under the key, or nullptr; raises nothing.
    const T *find(std::string_view key) const
    {
        const int index = indexOfFolded(foldKey(key));
        return index < 0 ? nullptr : &m_items[std::size_t(index)].value;
    }

    T *find(std::string_view key)
    {
        const int index = indexOfFolded(foldKey(key));
        return index < 0 ? nullptr : &m_items[std::size_t(index)].value;
    }

    // As find, for a key that is already folded (names the interpreter folded once).
    const T *findFolded(std::string_view foldedKey) const noexcept
    {
        const int index = indexOfFolded(foldedKey);
        return index < 0 ? nullptr : &m_items[std::size_t(index)].value;
    }

    void clear() noexcept { m_items.clear(); }

private:
    struct Item {
        T value;
        bool hasKey;
        std::string foldedKey;
    };

    void checkPosition(int position) const
    {
        if (position < 1 || position > count())
            raise(IndexOutOfRange);
    }

    int indexOfFolded(std::string_view folded) const noexcept
    {
        for (std::size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i].hasKey && m_items[i].foldedKey == folded)
                return int(i);
        return -1;
    }

    std::vector<Item> m_items;
};

} // namespace runtime
