#include "scenarios/main_member.h"

#include <gtest/gtest.h>

namespace velmora::scenarios {
namespace {

TEST(MainMember, RoundTripsTextsWithCommasQuotesAndLineBreaks) {
    MainMember m;
    m.random = 31;
    m.background = 2;
    m.cd = 77;
    m.mp3 = 5000;
    m.text1 = "one";
    m.text3 = "three";
    m.text3Before = m.text3;
    m.information = "rain, wind";
    m.slideshow = "Forest";
    m.remotePicture = "pine.jpg";
    m.picture = "lake.jpg";
    m.notes = "first line\r\nsecond, with a comma";
    const std::string bytes = mainMemberBytes(m);
    EXPECT_EQ(bytes.substr(0, 20), "31,2,77,5000,\"one\",\"");
    MainMember back;
    EXPECT_TRUE(parseMainMember(bytes, back).ok());
    EXPECT_EQ(back, m);
}

TEST(MainMember, ShortOrNonNumericFilesAreNotOk) {
    MainMember m;
    EXPECT_EQ(parseMainMember("1,2,3", m).error, FileError::TooShort);
    EXPECT_EQ(parseMainMember("", m).error, FileError::TooShort);
    EXPECT_EQ(parseMainMember("\"a\",2,3,4,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"", m).error,
              FileError::NotANumber);
    // Past the twelfth field nothing is read; the twelve are enough.
    EXPECT_TRUE(
        parseMainMember("1,2,3,4,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"n\",99,\"x\"", m).ok());
    EXPECT_EQ(m.notes, "n");
}

} // namespace
} // namespace velmora::scenarios
