// How the call trace writes values, as a reader of it sees them.
#include "simulator_fixture.h"

namespace {

using CallTrace = SimulatorTest;

struct TracedNumber
{
    double gamma;
    float zoomFactor;
    const char *gammaText;
    const char *zoomFactorText;

    friend void PrintTo(const TracedNumber &row, std::ostream *out) { *out << row.gammaText; }
};

using TracedNumbers = WithRows<SimulatorTest, TracedNumber>;

TEST_P(TracedNumbers, floatingPointTakesTheFewestDigitsThatReadBackExactly)
{
    nivaro_sim::configurationValues().gamma = GetParam().gamma;
    nivaro_sim::configurationValues().zoomFactor = GetParam().zoomFactor;
    sdk().GetConfig()->GetDefaultGamma();
    sdk().GetConfig()->GetDefaultZoomFactor();
    const auto lines = nivaro_sim::traceLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], std::string("config.GetDefaultGamma() -> ") + GetParam().gammaText);
    EXPECT_EQ(lines[3],
              std::string("config.GetDefaultZoomFactor() -> ") + GetParam().zoomFactorText);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TracedNumbers,
    ::testing::Values(TracedNumber {1.0, 1.0f, "1", "1"}, TracedNumber {2.2, 1.1f, "2.2", "1.1"},
                      TracedNumber {1.0 / 3.0, 8.0f / 3.0f, "0.3333333333333333", "2.6666667"},
                      TracedNumber {1500.25, 7.99f, "1500.25", "7.99"},
                      TracedNumber {1e-7, 0.5f, "1e-07", "0.5"},
                      TracedNumber {1500.0, 2048.0f, "1500", "2048"},
                      TracedNumber {1e20, 3e38f, "1e+20", "3e+38"}));

TEST_F(CallTrace, textsAreQuotedWithTheirSpecialCharactersEscaped)
{
    auto &values = nivaro_sim::configurationValues();
    values.linkType = "U\"A\\R\nT";
    sdk().GetConfig()->GetLinkType();
    values.linkTypeIsNull = true;
    sdk().GetConfig()->GetLinkType();
    sdk().CreateConnection()->OpenCamera(nullptr);
    values.linkTypeIsNull = false;
    values.linkType = "\xff\xc3\xa9\xc2\x85";
    sdk().GetConfig()->GetLinkType();
    // A port name must not end the camera's name early, split the line or turn the text around.
    sdk().CreateConnection()->OpenCamera("a].GetGamma(\n\\\u2028\u202e");

    const auto lines = nivaro_sim::traceLines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[1], "config.GetLinkType() -> \"U\\\"A\\\\R\\x0AT\"");
    EXPECT_EQ(lines[3], "config.GetLinkType() -> null");
    EXPECT_EQ(lines[5], "connection#1.OpenCamera(null) -> null");
    EXPECT_EQ(lines[7], "config.GetLinkType() -> \"\\xFF\xc3\xa9\\xC2\\x85\"")
        << "UTF-8 kept, the rest escaped";
    EXPECT_EQ(lines[9],
              "connection#2.OpenCamera(\"a].GetGamma(\\x0A\\\\\\xE2\\x80\\xA8\\xE2\\x80\\xAE\") -> "
              "camera[a\\].GetGamma(\\x0A\\\\\\xE2\\x80\\xA8\\xE2\\x80\\xAE]");
}

} // namespace
