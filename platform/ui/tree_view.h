#pragma once
// Tree views: nodes with key, text, icon and parent, children in order, expansion,
// ensure-visible, node visibility and the selection. Nodes count from 0 in the order added.

#include "platform/ui/control.h"

#include <vector>

namespace kv::ui {

class ImageList;

struct TreeNode {
    std::string key;
    std::string text;
    int image = 0;             // image of the tree's image list, 0 for none
    int parent = -1;           // -1 for a root node
    std::vector<int> children; // in order
    bool expanded = false;
};

class TreeView : public Control {
public:
    TreeView(Form& form, std::string name, int index);
    std::string_view kind() const override { return "TreeView"; }
    ImageList* imageList() const { return images_; }
    void setImageList(ImageList* list) { images_ = list; }

    int nodeCount() const { return static_cast<int>(nodes_.size()); }
    const std::vector<TreeNode>& nodes() const { return nodes_; }
    const TreeNode& node(int i) const; // an empty node out of range
    // Adds a node as the last child of `parent` (-1: the last root); returns its index, or
    // -1 when the key is already used or the parent does not exist.
    int addNode(std::string text, std::string key = {}, int parent = -1, int image = 0);
    void clear();
    // The node with that key (exactly), -1 if none.
    int find(std::string_view key) const;
    // The root nodes in order.
    std::vector<int> roots() const;
    void setText(int i, std::string text);
    void setImage(int i, int image);
    void setExpanded(int i, bool on);
    // Expands every ancestor so the node can be seen, and scrolls it into view.
    void ensureVisible(int i);
    // True when every ancestor is expanded.
    bool nodeVisible(int i) const;
    // The node scrolled into view last, -1 for none.
    int firstVisible() const { return firstVisible_; }
    // The selected node, -1 for none; selecting from code raises no event.
    int selectedIndex() const { return selected_; }
    void setSelectedIndex(int i);

    // Events: a node clicked (after the selection moved to it); click, double-click and
    // keys come from Widget.
    std::function<void(int node)> onNodeClick;
    void raiseNodeClick(int node) { raise(onNodeClick, node); }

private:
    bool valid(int i) const { return i >= 0 && i < nodeCount(); }
    ImageList* images_ = nullptr;
    std::vector<TreeNode> nodes_;
    int selected_ = -1;
    int firstVisible_ = -1;
};

} // namespace kv::ui
