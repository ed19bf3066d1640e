#pragma once
// "Setup.log": the record of this installation for people, kept in memory and rewritten in
// full in the application folder after every line. Written only with SET_CREATE_SETUP_LOG.

#include <string>
#include <string_view>
#include <vector>

namespace kv::installer {

class TScript;

class SetupLog {
public:
    // The script must outlive this object.
    explicit SetupLog(const TScript& script) : script_(script) {}

    // Adds the text: a leading "\\x" is dropped and the rest joined to the last line, every
    // "\\t" becomes a TAB, each CR LF line of a longer text is a line of its own (a final
    // CR LF adds none) and an empty text is an empty line. Then saves the log; a save that
    // fails (no application folder yet) is made again by the next line.
    void Log(std::string_view text);
    // The head of the log: program, version, date, system, composer build and folders.
    void WriteLogHeader();

    // The lines so far.
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    const TScript& script_;
    std::vector<std::string> lines_;
};

} // namespace kv::installer
