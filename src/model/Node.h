#pragma once

// Base of every content node of a book. Nodes are owned by exactly one
// NodePool; everything else holds plain pointers to them.
class Node {
public:
    Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    virtual ~Node() = default;
};
