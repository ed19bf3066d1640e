// Language files beside setup: the choice by the script and the machine's locale, key by
// key fallback to the built-in English text, and the character set.

#include "installer/setup/english.h"
#include "installer/setup/language.h"
#include "installer/setup/reset.h"
#include "installer/setup/script.h"

#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/system/resources.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kv::installer {
namespace {

namespace fsys = std::filesystem;

class Language : public ::testing::Test {
protected:
    void start(int localeId = 1033) {
        machine::Profile p = machine::defaultProfile();
        p.locale.localeId = localeId;
        machine_.emplace(p);
        setupFolder_ = machine_->hostFolder('C') / "Setup";
        fsys::create_directories(setupFolder_);
        machine::setProgram(setupFolder_ / "setup.exe", {});
        ui::headless::install();
        AddEnglishResource();
        LoadBuiltInText();
    }
    void TearDown() override {
        resetForTests();
        machine::resetForTests();
        machine_.reset();
    }
    // Writes a language file into the setup folder, or its "LANG" folder.
    void writeLng(const std::string& name, const std::string& text, bool inLang = true) {
        const fsys::path folder = inLang ? setupFolder_ / "LANG" : setupFolder_;
        fsys::create_directories(folder);
        std::ofstream(folder / (name + ".lng"), std::ios::binary) << text;
    }
    void loadScript(const std::string& text) {
        script_.LoadFromText(text);
        script_.LoadLanguage();
    }

    std::optional<machine::testing::TempMachine> machine_;
    fsys::path setupFolder_;
    TScript script_;
};

const char* kGerman = "[General]\r\nLangID=7\r\nCharset=0\r\n[Buttons]\r\nNext=&Weiter >\r\n";
const char* kFrench = "[General]\nLangID=12\n[Buttons]\nNext=&Suivant >\n";

TEST_F(Language, BuiltInTextHasEveryKey) {
    start();
    // Section, key and, where the text is fixed, the text.
    const std::tuple<const char*, const char*, const char*> keys[] = {
        {"General", "Version", "1.0"},
        {"General", "Language", "English"},
        {"General", "LangID", "9"},
        {"General", "Charset", "0"},
        {"Buttons", "Back", "< &Back"},
        {"Buttons", "Next", "&Next >"},
        {"Buttons", "Cancel", "&Cancel"},
        {"Buttons", "Finish", "&Finish"},
        {"Buttons", "Browse", "&Browse..."},
        {"Buttons", "Resume", "&Resume"},
        {"Buttons", "ExitSetup", "E&xit Setup"},
        {"Welcome", "Caption", "Welcome"},
        {"Welcome", "s1", nullptr},
        {"Welcome", "s2", nullptr},
        {"Welcome", "s3", nullptr},
        {"Welcome", "s4", nullptr},
        {"License", "Caption", "License Agreement"},
        {"License", "s1", nullptr},
        {"License", "s2", nullptr},
        {"License", "s3", "YES - I Accept the terms of the License Agreement!"},
        {"License", "s4", "NO - I DO NOT Accept the terms of the License Agreement!"},
        {"License", "s5", nullptr},
        {"License", "s6", nullptr},
        {"Readme", "Caption", "Readme"},
        {"Readme", "s1", "Readme"},
        {"UserInfo", "Caption", "User Information"},
        {"UserInfo", "s1", "Type your name."},
        {"UserInfo", "s2", "Type the name of the company you work for."},
        {"UserInfo", "s3", "Type your name and the name of the company you work for."},
        {"UserInfo", "s11", "Name:"},
        {"UserInfo", "s12", "Company:"},
        {"UserInfo", "s21", "Please enter User Name!"},
        {"UserInfo", "s22", "Please enter Company Name!"},
        {"Destination", "Caption", "Choose Destination Location"},
        {"Destination", "s1", nullptr},
        {"Destination", "s2", "Destination Directory"},
        {"Destination", "s3", "Space required on drive:"},
        {"Destination", "s4", "Space available on drive:"},
        {"SetupType", "Caption", "Setup Type"},
        {"SetupType", "s1", nullptr},
        {"SetupType", "s11", "Typical"},
        {"SetupType", "s12", "Compact"},
        {"SetupType", "s13", "Custom"},
        {"SetupType", "s21", nullptr},
        {"SetupType", "s22", nullptr},
        {"SetupType", "s23", nullptr},
        {"Components", "Caption", "Select Components"},
        {"Components", "s1", nullptr},
        {"Components", "s2", "Components:"},
        {"Components", "s3", "Description:"},
        {"Associate", "Caption", "Set File Association"},
        {"Associate", "s1", nullptr},
        {"Associate", "s2", "File Types:"},
        {"Shortcuts", "Caption", "Set Program Shortcuts"},
        {"Shortcuts", "s1", nullptr},
        {"Shortcuts", "s2", nullptr},
        {"Shortcuts", "s3", "Start/Program Menu"},
        {"Shortcuts", "s11", nullptr},
        {"Shortcuts", "s12", nullptr},
        {"Shortcuts", "s13", nullptr},
        {"Shortcuts", "s14", nullptr},
        {"Confirm", "Caption", "Confirm Setup Settings"},
        {"Confirm", "s1", nullptr},
        {"Confirm", "s2", "Click NEXT to begin copying files...   "},
        {"CopyFiles", "Caption", "Copying Files"},
        {"Complete", "Caption", "Setup Complete"},
        {"Complete", "s0", "Setup has finished copying files to your computer."},
        {"Complete", "s1", nullptr},
        {"Complete", "s2", "Before you can use the program, you must restart your computer."},
        {"Complete", "s3", "Yes, Launch the program file."},
        {"Complete", "s4", "Restart"},
        {"Complete", "s5", "Yes, I want to restart my computer now."},
        {"Complete", "s6", "No, I will restart my computer later."},
        {"Complete", "s7", "Click <b>Finish</b> to complete the Setup."},
        {"Complete", "s8", "Display the Readme file."},
        {"ExitSetup", "Caption", "Exit Setup"},
        {"ExitSetup", "s1", nullptr},
        {"Messages", "Caption", "Error"},
        {"Messages", "s1",
         "%s<p>File not found!<p><p>Correct the problem and run Setup once again!"},
        {"Messages", "s2",
         "Unable to create directory:<p>%s<p><p>Setup will now close.<p>Correct "
         "the problem and run Setup once again!"},
        {"Messages", "s3", "Select Destination Directory"},
        {"UnInstall", "ConfirmCaption", "Confirm"},
        {"UnInstall", "ConfirmText", "Are you sure you want to uninstall the program"},
        {"UnInstall", "ButtonClose", "Close"},
        {"UnInstall", "s1", nullptr},
        {"UnInstall", "Label1", "Shared program files..."},
        {"UnInstall", "Label2", "Standard program files..."},
        {"UnInstall", "Label3", "Folder items..."},
        {"UnInstall", "Label4", "Program folders..."},
        {"UnInstall", "Label5", "Program directories..."},
        {"UnInstall", "Label6", "Program registry entries..."},
        {"UnInstall", "s2", "UnInstall completed successfully !"},
    };
    for (const auto& [section, key, text] : keys) {
        const std::string got = LangText(section, key, "");
        if (text)
            EXPECT_EQ(got, text) << section << " " << key;
        else
            EXPECT_NE(got, "") << section << " " << key;
    }
    for (const auto& [section, key] : {std::pair{"Welcome", "s1"},
                                       {"Destination", "s1"},
                                       {"Associate", "s1"},
                                       {"UnInstall", "s1"}})
        EXPECT_NE(LangText(section, key, "").find("PROG_NAME"), std::string::npos) << section;
    EXPECT_EQ(LangText("Nowhere", "x", "dflt"), "dflt");
    EXPECT_EQ(GetCharset(), 0);
}

TEST_F(Language, FlagOneIgnoresLanguageFiles) {
    start();
    writeLng("English", "[Buttons]\nFinish=Other\n");
    loadScript("SET_LANG_NAMES(|English|)");
    EXPECT_FALSE(HasLanguageFile());
    EXPECT_EQ(LangText("Buttons", "Finish", ""), "&Finish");
}

TEST_F(Language, OneNameIsTakenWhateverItsLangId) {
    start();
    writeLng("German", kGerman);
    loadScript("SET_LANG_FLAG(2)\nSET_LANG_NAMES(|German|)");
    EXPECT_TRUE(HasLanguageFile());
    EXPECT_EQ(LangText("Buttons", "Next", ""), "&Weiter >");
}

// Setup run from the host (drive Z:, which refuses changes) still reads its script and its
// language files there.
TEST_F(Language, ScriptAndLanguageFileAreReadFromTheHost) {
    start();
    setupFolder_ = machine_->folder() / "dist";
    machine::setProgram(setupFolder_ / "setup", {});
    writeLng("German", kGerman);
    std::ofstream(setupFolder_ / "Setup.txt", std::ios::binary)
        << "SET_PROG_NAME(Demo)\r\nSET_LANG_FLAG(2)\r\nSET_LANG_NAMES(|German|)\r\n";
    const std::string script = fs::machinePath(setupFolder_ / "Setup.txt");
    ASSERT_EQ(script.substr(0, 3), "Z:\\");
    ASSERT_TRUE(script_.LoadFromFile(script));
    EXPECT_EQ(script_.Text(ScriptText::ProgName), "Demo");
    script_.LoadLanguage();
    EXPECT_EQ(LangText("Buttons", "Next", ""), "&Weiter >");
    EXPECT_FALSE(fs::writeFile(script, "changed"));
    EXPECT_TRUE(script_.LoadFromFile(script));
    EXPECT_EQ(script_.Text(ScriptText::ProgName), "Demo");
}

TEST_F(Language, ChoiceByTheMachinesLanguage) {
    struct Case {
        int locale;
        bool english;     // an English.lng is present
        bool inLang;      // the files lie in the LANG folder
        const char* next; // what [Buttons] Next reads
    };
    const Case cases[] = {
        {1031, false, true, "&Weiter >"},  // German (0x407)
        {1036, false, true, "&Suivant >"}, // French (0x40C)
        {1036, false, false, "&Suivant >"},
        {1033, false, true, "&Next >"}, // neither, no English.lng: built-in
        {1033, true, true, "E-Next"},   // neither: English.lng
        {0, true, true, "E-Next"},      // no locale counts as English
        {1040, true, false, "E-Next"},  // Italian
    };
    for (const Case& c : cases) {
        start(c.locale);
        writeLng("German", kGerman, c.inLang);
        writeLng("French", kFrench, c.inLang);
        if (c.english)
            writeLng("English", "[General]\nLangID=x\n[Buttons]\nNext=E-Next\n", c.inLang);
        loadScript("SET_LANG_FLAG(2)\nSET_LANG_NAMES(|German|French|)");
        EXPECT_EQ(LangText("Buttons", "Next", ""), c.next) << c.locale;
        TearDown();
    }
}

TEST_F(Language, FilesInTheSetupFolderAreIgnoredWhenLangExists) {
    start(1031);
    writeLng("German", kGerman, false);
    fsys::create_directories(setupFolder_ / "LANG");
    loadScript("SET_LANG_FLAG(2)\nSET_LANG_NAMES(|German|French|)");
    EXPECT_FALSE(HasLanguageFile());
}

TEST_F(Language, MissingKeysFallBackToEnglish) {
    start();
    writeLng("Hebrew", "[General]\nLangID=13\nCharset=177\n[Buttons]\nNext=HE-Next\n");
    loadScript("SET_LANG_FLAG(2)\nSET_LANG_NAMES(|Hebrew|)");
    EXPECT_EQ(LangText("Buttons", "Next", "&Next >"), "HE-Next");
    EXPECT_EQ(LangText("Buttons", "Finish", "&Finish"), "&Finish");
    EXPECT_EQ(LangText("Buttons", "Finish", ""), "&Finish");
    EXPECT_EQ(LangText("Buttons", "Finish", "Mine"), "Mine");
    EXPECT_EQ(GetCharset(), 177);
    // Loading again drops the file.
    loadScript("SET_LANG_FLAG(1)");
    EXPECT_FALSE(HasLanguageFile());
    EXPECT_EQ(GetCharset(), 0);
}

} // namespace
} // namespace kv::installer
