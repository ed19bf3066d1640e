#include "platform/ui/application.h"
#include "platform/ui/script/internal/actions.h"
#include "platform/ui/script/internal/address.h"
#include "platform/ui/script/internal/quote.h"
#include "platform/ui/script/property_reader.h"

#include "platform/text/ansi.h"

namespace kv::ui::script::internal {

std::string expect(const Action& a, Form* form) {
    const auto& args = a.args;
    if (args.size() == 4) return "say expect <target> [<element> <which>] <property> \"<value>\"";
    const std::string& property = args[args.size() - 2];
    const std::string& wanted = args.back();
    std::string error;
    std::optional<std::string> got;
    if (text::equalsNoCase(args[0], "clipboard")) {
        if (args.size() != 3 || !text::equalsNoCase(property, "text"))
            return "the clipboard has only its text";
        got = app().clipboardText();
    } else if (Widget* w = findWidget(args[0], form, error)) {
        Element element;
        if (args.size() == 5) element = {args[1], args[2]};
        got = readProperty(*w, property, error, args.size() == 5 ? &element : nullptr);
    } else if (args.size() == 3 && text::equalsNoCase(property, "loaded") &&
               args[0].find('.') == std::string::npos) {
        got = "false"; // a form that is not loaded
    }
    if (!got) return error;
    if (*got == wanted) return {};
    return property + " is " + quoted(*got) + ", not " + quoted(wanted);
}

} // namespace kv::ui::script::internal
