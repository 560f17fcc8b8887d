#include "core/files/text_record.h"

#include <gtest/gtest.h>

using namespace velmora::files;

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

TEST(TextRecord, ReaderAcceptsLfAndCp1252AndRejectsNonNumbers) {
    RecordReader r(std::string("12,\"caf\xe9\"\n 7 ,abc\n"));
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r.nextInteger(), 12);
    EXPECT_EQ(r.nextText(), "caf\xc3\xa9");
    EXPECT_EQ(r.nextInteger(), 7);
    EXPECT_EQ(r.nextInteger(), std::nullopt); // "abc" is not a number
}
