#pragma once
// The toolkit's widgets drawn compact enough for boxes laid out in twips: a text box, a
// drop-down list or a button 21 pixels high shows its whole text.

namespace kv::ui::wx::internal {

// Applies the compact style to every widget of the display (once the toolkit has started).
void applyCompactStyle();

} // namespace kv::ui::wx::internal
