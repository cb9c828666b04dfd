// Tree view nodes, shared by the shell tree and the user picker: their texts, and filling their children
// when they are opened (under the hourglass; a node that got none loses its expand button).
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <functional>
#include <string>

// Adds a node at the end of the parent's children (the top level for nullptr).
HTREEITEM AddTreeNode(HWND tree, HTREEITEM parent, const std::wstring& text, int image, LPARAM data = 0);

// Removes every child of the node, leaving the node.
void RemoveChildNodes(HWND tree, HTREEITEM node);

// Runs addChildren (which returns how many children it added) under the hourglass; the node is marked as
// having children or not by what it got.
void FillNodeChildren(HWND tree, HTREEITEM node, const std::function<size_t()>& addChildren);
// Shows the node's expand button, or takes it away.
void SetTreeNodeHasChildren(HWND tree, HTREEITEM node, bool hasChildren);

// The text of a tree view's node.
std::wstring TreeNodeText(HWND tree, HTREEITEM node);
