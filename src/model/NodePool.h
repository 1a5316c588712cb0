#pragma once

#include <map>
#include <memory>
#include <vector>

// Owns nodes, keeps them in the order they were added and finds them by key.
// A key added twice keeps the earlier node in the lookup; the later node is
// still listed and owned.
template <typename K, typename T>
class NodePool {
public:
    NodePool() = default;
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;
    virtual ~NodePool() { Clear(); }

    // Takes ownership; returns the node.
    T* Add(const K& key, std::unique_ptr<T> node)
    {
        T* raw = node.get();
        m_list.push_back(raw); // listed means owned
        node.release();
        m_map.emplace(key, raw);
        return raw;
    }

    T* Find(const K& key) const
    {
        auto it = m_map.find(key);
        return it == m_map.end() ? nullptr : it->second;
    }

    // Deletes every node, last to first.
    void Clear()
    {
        for (auto it = m_list.rbegin(); it != m_list.rend(); ++it)
            delete *it;
        m_list.clear();
        m_map.clear();
    }

    const std::vector<T*>& List() const { return m_list; }
    std::size_t Size() const { return m_list.size(); }
    bool Empty() const { return m_list.empty(); }

private:
    std::vector<T*> m_list;
    std::map<K, T*> m_map;
};
