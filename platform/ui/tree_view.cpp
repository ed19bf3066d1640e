#include "platform/ui/tree_view.h"

#include "platform/ui/control_properties.h"

namespace kv::ui {
namespace {
const TreeNode kNoNode{};
} // namespace

TreeView::TreeView(Form& form, std::string name, int index)
    : Control(form, std::move(name), index) {
    initBackColor(kWindowBackground);
}

const TreeNode& TreeView::node(int i) const {
    return valid(i) ? nodes_[static_cast<std::size_t>(i)] : kNoNode;
}

int TreeView::addNode(std::string text, std::string key, int parent, int image) {
    if (parent != -1 && !valid(parent)) return -1;
    if (!key.empty() && find(key) >= 0) return -1;
    TreeNode n;
    n.key = std::move(key);
    n.text = std::move(text);
    n.image = image;
    n.parent = parent;
    nodes_.push_back(std::move(n));
    int i = nodeCount() - 1;
    if (parent >= 0) nodes_[static_cast<std::size_t>(parent)].children.push_back(i);
    changed(prop::Rows);
    return i;
}

void TreeView::clear() {
    nodes_.clear();
    selected_ = -1;
    firstVisible_ = -1;
    changed(prop::Rows);
}

int TreeView::find(std::string_view key) const {
    if (key.empty()) return -1;
    for (int i = 0; i < nodeCount(); ++i)
        if (nodes_[static_cast<std::size_t>(i)].key == key) return i;
    return -1;
}

std::vector<int> TreeView::roots() const {
    std::vector<int> out;
    for (int i = 0; i < nodeCount(); ++i)
        if (nodes_[static_cast<std::size_t>(i)].parent < 0) out.push_back(i);
    return out;
}

void TreeView::setText(int i, std::string text) {
    if (!valid(i)) return;
    nodes_[static_cast<std::size_t>(i)].text = std::move(text);
    changed(prop::Rows);
}

void TreeView::setImage(int i, int image) {
    if (!valid(i)) return;
    nodes_[static_cast<std::size_t>(i)].image = image;
    changed(prop::Rows);
}

void TreeView::setExpanded(int i, bool on) {
    if (!valid(i) || nodes_[static_cast<std::size_t>(i)].expanded == on) return;
    nodes_[static_cast<std::size_t>(i)].expanded = on;
    changed(prop::Expansion);
}

void TreeView::ensureVisible(int i) {
    if (!valid(i)) return;
    for (int p = node(i).parent; p >= 0; p = node(p).parent)
        setExpanded(p, true);
    firstVisible_ = i;
    changed(prop::Expansion);
}

bool TreeView::nodeVisible(int i) const {
    if (!valid(i)) return false;
    for (int p = node(i).parent; p >= 0; p = node(p).parent)
        if (!node(p).expanded) return false;
    return true;
}

void TreeView::setSelectedIndex(int i) {
    if (i < -1 || i >= nodeCount() || i == selected_) return;
    selected_ = i;
    changed(prop::Selection);
}

} // namespace kv::ui
