#include "core/files/text_record.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace velmora::files;
using velmora::testing::TempDir;
using velmora::testing::writeBytes;

TEST(TextRecord, WriterAndReaderRoundTripEveryFieldKind) {
    RecordWriter w;
    w.text("Rain, heavy").integer(-42).boolean(true).text("say \"hi\"").number(0.5).endRecord();
    w.text("").boolean(false).endRecord();
    EXPECT_EQ(w.bytes(), "\"Rain, heavy\",-42,#TRUE#,\"say \"\"hi\"\"\",0.5\r\n\"\",#FALSE#\r\n");

    RecordReader r(w.bytes());
    EXPECT_EQ(r.nextText(), "Rain, heavy");
    EXPECT_EQ(r.nextInteger(), -42);
    EXPECT_EQ(r.nextBool(), true);
    EXPECT_EQ(r.nextText(), "say \"hi\"");
    EXPECT_EQ(r.nextDouble(), 0.5);
    EXPECT_EQ(r.nextText(), "");
    EXPECT_EQ(r.nextBool(), false);
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.nextText(), std::nullopt);
}

TEST(TextRecord, LineBreaksInsideTextsSurviveTheRoundTrip) {
    // Scenario notes: CR LF, LF alone and CR alone, a quote on either side of a break, a
    // break followed by what would look like more fields, and a literal backslash-n.
    const std::vector<std::string> texts = {
        "Rain at dusk\r\nthen wind\nthen calm\r",
        "\"quoted\"\r\n\"\"",
        "\r\n#TRUE#,5\r\n\"x\",",
        "C:\\new\\rain.wav",
        "\n",
    };
    RecordWriter w;
    for (const auto& t : texts)
        w.text(t).integer(7);
    w.endRecord().text("next record").endRecord();
    const std::string head = "\"Rain at dusk\r\nthen wind\nthen calm\r\",7,\"\"\"quoted\"\"\r\n";
    EXPECT_EQ(w.bytes().substr(0, head.size()), head) << "breaks go out inside the quotes";

    RecordReader r(w.bytes());
    ASSERT_EQ(r.size(), 2 * texts.size() + 1);
    for (const auto& t : texts) {
        EXPECT_EQ(r.nextText(), t);
        EXPECT_EQ(r.nextInteger(), 7) << "the fields after a multi-line text stay in step";
    }
    EXPECT_EQ(r.nextText(), "next record");

    // A text without a break is written exactly as before.
    EXPECT_EQ(RecordWriter().text("Forest, night").bytes(), "\"Forest, night\"");
}

TEST(TextRecord, ReaderAcceptsLfAndCp1252AndRejectsNonNumbers) {
    RecordReader r(std::string("12,\"caf\xe9\"\n 7 ,abc\n"));
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r.nextInteger(), 12);
    EXPECT_EQ(r.nextText(), "caf\xc3\xa9");
    EXPECT_EQ(r.nextInteger(), 7);
    EXPECT_EQ(r.nextInteger(), std::nullopt); // "abc" is not a number
}

TEST(TextRecord, RecordsRunTogetherWhateverTheLineEnds) {
    // CR LF, LF, a blank line and a missing final line end: six fields in order.
    RecordReader r(std::string("\"a, b\",1\r\n#FALSE#\n\r\n  \"x\"\"y\" , 2.5\r\n-3"));
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r.nextText(), "a, b");
    EXPECT_EQ(r.nextInteger(), 1);
    EXPECT_EQ(r.nextBool(), false);
    EXPECT_EQ(r.nextText(), "x\"y");
    EXPECT_EQ(r.nextInteger(), 2) << "2.5 rounds half to even";
    EXPECT_EQ(r.nextInteger(), -3);
}

TEST(TextRecord, Windows1252TextBecomesUtf8AndUtf8StaysAsItIs) {
    // 0x80 is the euro sign in Windows-1252, 0x93/0x94 curly quotes, 0xE9 e-acute.
    EXPECT_EQ(toUtf8("\x80 \x93hi\x94 caf\xe9"),
              "\xe2\x82\xac \xe2\x80\x9chi\xe2\x80\x9d caf\xc3\xa9");
    const std::string utf8 = "Regen \xc3\xbc"
                             "ber See \xe2\x82\xac";
    EXPECT_EQ(toUtf8(utf8), utf8);
    RecordWriter w;
    w.text(utf8).endRecord();
    EXPECT_EQ(RecordReader(w.bytes()).nextText(), utf8);
}

TEST(TextRecord, MalformedInputGivesFieldsNotCrashes) {
    RecordReader unterminated(std::string("\"never closed, 5"));
    EXPECT_EQ(unterminated.nextText(), "never closed, 5");
    EXPECT_TRUE(unterminated.atEnd());
    RecordReader binary(std::string("\0\xff,\x01\"", 5));
    EXPECT_EQ(binary.size(), 2u);
    EXPECT_EQ(binary.nextInteger(), std::nullopt);
    EXPECT_EQ(RecordReader(std::string("99999999999999999999999")).nextInteger(), std::nullopt);
    EXPECT_EQ(RecordReader(std::string("")).size(), 0u);

    TempDir dir;
    EXPECT_EQ(RecordReader::fromFile(dir / "absent").error(), velmora::FileError::Missing);
    EXPECT_EQ(RecordReader::fromFile(dir.path()).error(), velmora::FileError::Unreadable);
    writeBytes(dir / "huge", std::string(kMaxRecordFileBytes + 1, '1'));
    EXPECT_EQ(RecordReader::fromFile(dir / "huge").error(), velmora::FileError::TooLarge);
}

TEST(TextRecord, OneValuePerLineLayoutRoundTrips) {
    RecordWriter w;
    w.line("C:\\sounds\\rain.wav").line("").line("two\nlines");
    EXPECT_EQ(w.bytes(), "C:\\sounds\\rain.wav\r\n\r\ntwo lines\r\n");
    const std::vector<std::string> expected{"C:\\sounds\\rain.wav", "", "two lines"};
    EXPECT_EQ(splitLines(w.bytes()), expected);
    const std::vector<std::string> lf{"a", "b"};
    EXPECT_EQ(splitLines("a\nb"), lf);
}
