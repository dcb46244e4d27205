#pragma once

// The registries keep singly linked lists with a head (searched from) and a
// tail (appended to).
template <typename Node>
void appendNode(Node*& head, Node*& tail, Node* node)
{
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
}
