#pragma once
#include <cstdlib>
#include <cstring>

// The registries keep singly linked lists with a head (searched from) and a
// tail (appended to), and own heap copies of their names.

template <typename Node>
void appendNode(Node*& head, Node*& tail, Node* node)
{
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
}

// Hands each node to releaseItem (which frees what the node holds), deletes
// the nodes, and empties the list so that a later release frees nothing twice.
template <typename Node, typename Release>
void releaseList(Node*& head, Node*& tail, Release releaseItem)
{
    Node* node = head;
    while (node) {
        Node* next = node->next;
        releaseItem(*node);
        delete node;
        node = next;
    }
    head = nullptr;
    tail = nullptr;
}

// A heap copy of a name, given back with std::free.
inline char* copyName(const char* name)
{
    const size_t length = std::strlen(name);
    auto* copy = static_cast<char*>(std::malloc(length + 1));
    std::memcpy(copy, name, length + 1);
    return copy;
}
