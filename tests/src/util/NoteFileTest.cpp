// The notes beside the settings file keep every name byte for byte, and a
// note that is not one of ours is never taken for one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "src/util/NoteFile.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(NoteFile, EveryNameComesBackByteForByte) {
    const std::string longFolder = "/" + std::string(1000, 'o') + "/";
    for (const std::string& name : std::vector<std::string>{"Dvořák_KBS.pdf", "Łukasz Więcek", "Şahin Ağaoğlu ı", "Angebot\nKunde", "Angebot\r\nKunde\r", "100%=voll",
          "%41 is no A", std::string("latin1 M\xFCller"), std::string("cut \xC5"), std::string("surrogate \xED\xA0\x80"),
          std::string("nul \0 inside", 12), longFolder + std::string(255, 'x'), longFolder + "č" + std::string(253, 'y')}) {
        NoteFile::Note note("Art 1");
        note.add("Datei", name);
        note.add("Datei", "zweite");
        const std::string text = note.text();
        // One line per entry after the kind and the four lines of the owner.
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7) << text;
        const std::optional<NoteFile::Note> read = NoteFile::Note::parse(text, "Art 1");
        ASSERT_TRUE(read) << text;
        EXPECT_EQ(read->values("Datei"), (std::vector<std::string>{name, "zweite"}));
        EXPECT_EQ(read->owner(), note.owner());
    }
}

TEST(NoteFile, WhatIsNoNoteOfOursIsDamaged) {
    TempFolder folder;
    NoteFile::Note note("Art 1");
    note.add("Datei", "a=b");
    const std::string good = note.text();
    struct Case {
        const char* what;
        std::string bytes;
    };
    for (const Case& c : {Case{"another kind", "Art 2" + good.substr(5)},
                          Case{"a line without =", good + "Datei\n"},
                          Case{"a bad escape", good + "Datei=%4\n"},
                          Case{"a raw control byte", good + "Datei=a\rb\n"},
                          Case{"no owner", "Art 1\nDatei=x\n"},
                          Case{"cut short", good.substr(0, good.size() - 3)},
                          Case{"random bytes", std::string("\x89PNG\r\n\x1A\n\0\0\0", 11)},
                          Case{"too many lines", good + [] {
                                   std::string lines;
                                   for (int n = 0; n < 1000; ++n) lines += "Datei=x\n";
                                   return lines;
                               }()}}) {
        folder.write("note", c.bytes);
        EXPECT_EQ(NoteFile::read(folder.path("note"), "Art 1").state, NoteFile::State::Damaged) << c.what;
    }
    std::filesystem::remove(folder.path("note"));
    std::filesystem::create_directory(folder.path("note"));
    EXPECT_EQ(NoteFile::read(folder.path("note"), "Art 1").state, NoteFile::State::Damaged);
    EXPECT_EQ(NoteFile::write(folder.path("note"), note), "An dieser Stelle liegt ein Ordner.");
    EXPECT_EQ(NoteFile::setAside(folder.path("note")), "");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path("note.defekt")));
    EXPECT_EQ(NoteFile::write(folder.path("note"), note), "");
    EXPECT_EQ(NoteFile::read(folder.path("note"), "Art 1").state, NoteFile::State::Found);
}

}  // namespace
