#include "platform/hid_report_descriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "device/hid_transport.h"
#include "sim/hid_camera.h"
#include "tests/platform_hid/sample_descriptors.h"

namespace {

using platform::HidCapability;
using platform::HidDescriptorCaps;
using platform::HidFeatureCaps;
using platform::HidReportTypeCaps;
using Bytes = std::vector<uint8_t>;
using Texts = std::vector<std::string>;

// "r87 FF00:1" for report 0x87, usage page 0xFF00, usage 1; "r0 7:E0-E7" for a range.
std::string Describe(const HidCapability& cap) {
  char text[48];
  if (cap.isRange) {
    std::snprintf(text, sizeof text, "r%X %X:%X-%X", cap.reportId, cap.usagePage, cap.usageMin,
                  cap.usageMax);
  } else {
    std::snprintf(text, sizeof text, "r%X %X:%X", cap.reportId, cap.usagePage, cap.usage);
  }
  return text;
}

Texts Describe(const std::vector<HidCapability>& caps) {
  Texts texts;
  for (const HidCapability& cap : caps) texts.push_back(Describe(cap));
  return texts;
}

// "r11=19": report 0x11 carries 19 bytes.
Texts Lengths(const HidReportTypeCaps& type) {
  Texts texts;
  for (const platform::HidReportLength& report : type.reports) {
    char text[24];
    std::snprintf(text, sizeof text, "r%X=%u", report.reportId, report.bytes);
    texts.push_back(text);
  }
  return texts;
}

// Parses from a buffer of exactly the descriptor's size, so that the sanitizers catch any read
// past its end.
bool Parse(const Bytes& descriptor, HidDescriptorCaps& caps, std::string& error) {
  std::unique_ptr<uint8_t[]> exact(new uint8_t[descriptor.size()]);
  std::copy(descriptor.begin(), descriptor.end(), exact.get());
  return platform::ParseHidReportDescriptor(descriptor.empty() ? nullptr : exact.get(),
                                            descriptor.size(), caps, error);
}

struct TypeExpectation {
  Texts buttons;
  Texts values;
  Texts lengths;
};

struct DeviceCase {
  const char* name;
  const Bytes* descriptor;
  TypeExpectation input;
  TypeExpectation output;
  TypeExpectation feature;
};

void ExpectType(const HidReportTypeCaps& type, const TypeExpectation& expected, const char* what) {
  EXPECT_EQ(Describe(type.caps.buttons), expected.buttons) << what << " buttons";
  EXPECT_EQ(Describe(type.caps.values), expected.values) << what << " values";
  EXPECT_EQ(Lengths(type), expected.lengths) << what << " report lengths";
}

class RealDescriptorTest : public ::testing::TestWithParam<DeviceCase> {};

TEST_P(RealDescriptorTest, CountsCapabilitiesAndReportLengthsAsWindowsDoes) {
  const DeviceCase& device = GetParam();
  HidDescriptorCaps caps;
  std::string error;
  ASSERT_TRUE(Parse(*device.descriptor, caps, error)) << error;
  ExpectType(caps.input, device.input, "input");
  ExpectType(caps.output, device.output, "output");
  ExpectType(caps.feature, device.feature, "feature");
}

INSTANTIATE_TEST_SUITE_P(
    Devices, RealDescriptorTest,
    ::testing::Values(
        // Padding gives no capability; a 1-bit variable and an array are buttons.
        DeviceCase{"keyboard",
                   &testing_support::kKeyboardDescriptor,
                   {{"r0 7:E0-E7", "r0 7:0-65"}, {}, {"r0=8"}},
                   {{"r0 8:1-5"}, {}, {"r0=1"}},
                   {}},
        // One value capability per usage of a multi-usage item.
        DeviceCase{"mouse",
                   &testing_support::kMouseDescriptor,
                   {{"r0 9:1-3"}, {"r0 1:30", "r0 1:31"}, {"r0=3"}},
                   {},
                   {}},
        // The rumble output takes its 8-bit size from before the push.
        DeviceCase{
            "gamepad",
            &testing_support::kGamepadDescriptor,
            {{"r1 9:1-10"}, {"r1 1:30", "r1 1:31", "r1 1:32", "r1 1:35", "r1 1:39"}, {"r1=7"}},
            {{}, {"r2 FF00:1"}, {"r2=2"}},
            {}},
        DeviceCase{"vendor_receiver",
                   &testing_support::kVendorReceiverDescriptor,
                   {{"r10 FF00:1", "r11 FF00:2"}, {}, {"r10=6", "r11=19"}},
                   {{"r10 FF00:1", "r11 FF00:2"}, {}, {"r10=6", "r11=19"}},
                   {{}, {"r20 FF00:10-12"}, {"r20=3"}}},
        DeviceCase{
            "camera",
            &testing_support::kCameraDescriptor,
            {},
            {},
            {{}, {"r87 FF00:1", "r93 FF00:2", "r97 FF00:3"}, {"r87=4", "r93=40", "r97=40"}}}),
    [](const ::testing::TestParamInfo<DeviceCase>& info) { return std::string(info.param.name); });

TEST(CameraDescriptorTest, MatchesTheSimulatedCameraAndPassesTheAcceptanceTest) {
  HidDescriptorCaps caps;
  std::string error;
  ASSERT_TRUE(Parse(testing_support::kCameraDescriptor, caps, error)) << error;
  sim::Chip chip(0x000153B2, nullptr, nullptr);
  const sim::HidCamera camera(chip, sim::HidCamera::Options{});
  const HidFeatureCaps simulated = camera.FeatureCaps();
  EXPECT_EQ(Describe(caps.feature.caps.values), Describe(simulated.values));
  EXPECT_EQ(Describe(caps.feature.caps.buttons), Describe(simulated.buttons));
  EXPECT_TRUE(hidreq_IsCamera(caps.feature.caps));

  for (const Bytes* other :
       {&testing_support::kKeyboardDescriptor, &testing_support::kMouseDescriptor,
        &testing_support::kGamepadDescriptor, &testing_support::kVendorReceiverDescriptor}) {
    ASSERT_TRUE(Parse(*other, caps, error)) << error;
    EXPECT_FALSE(hidreq_IsCamera(caps.feature.caps));
  }
}

// Smaller descriptors, each showing one counting rule; the feature capabilities are compared.
struct RuleCase {
  const char* name;
  Bytes descriptor;
  Texts buttons;
  Texts values;
  Texts lengths;
};

class CountingRuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(CountingRuleTest, FeatureCapabilities) {
  const RuleCase& rule = GetParam();
  HidDescriptorCaps caps;
  std::string error;
  ASSERT_TRUE(Parse(rule.descriptor, caps, error)) << error;
  ExpectType(caps.feature, {rule.buttons, rule.values, rule.lengths}, rule.name);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CountingRuleTest,
    ::testing::Values(
        // Usage (0xFF000001) in four bytes names its own page.
        RuleCase{"extended_usage_names_its_page",
                 {0x05, 0x01, 0x0B, 0x01, 0x00, 0x00, 0xFF, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02},
                 {},
                 {"r0 FF00:1"},
                 {"r0=1"}},
        // A usage page declared after the usage still applies to it.
        RuleCase{"page_in_force_at_the_main_item",
                 {0x09, 0x01, 0x05, 0x0C, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02},
                 {},
                 {"r0 C:1"},
                 {"r0=1"}},
        // Three usages on a report count of one: three capabilities.
        RuleCase{"one_capability_per_usage",
                 {0x09, 0x01, 0x09, 0x02, 0x09, 0x03, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02},
                 {},
                 {"r0 0:1", "r0 0:2", "r0 0:3"},
                 {"r0=1"}},
        // Local items end at the main item: the second field has no usage and counts as 0.
        RuleCase{"locals_end_at_the_main_item",
                 {0x06, 0x00, 0xFF, 0x09, 0x01, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02, 0xB1, 0x02},
                 {},
                 {"r0 FF00:1", "r0 FF00:0"},
                 {"r0=2"}},
        // Constant padding without usage counts nothing, but its bits do.
        RuleCase{
            "padding_counts_only_its_bits", {0x75, 0x08, 0x95, 0x02, 0xB1, 0x01}, {}, {}, {"r0=2"}},
        // A report count of 0 gives no capability.
        RuleCase{"zero_count_gives_nothing",
                 {0x09, 0x01, 0x75, 0x08, 0x95, 0x00, 0xB1, 0x02},
                 {},
                 {},
                 {"r0=0"}},
        // A maximum before its minimum still makes one range; a lone bound is a range of one.
        RuleCase{
            "range_bounds_in_either_order_and_alone",
            {0x29, 0x05, 0x19, 0x01, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02, 0x19, 0x07, 0xB1, 0x02},
            {},
            {"r0 0:1-5", "r0 0:7-7"},
            {"r0=2"}},
        // A one-bit variable field and an array of bytes are both buttons.
        RuleCase{"one_bit_and_arrays_are_buttons",
                 {0x09, 0x01, 0x75, 0x01, 0x95, 0x08, 0xB1, 0x02, 0x09, 0x02, 0x75, 0x08, 0x95,
                  0x01, 0xB1, 0x00},
                 {"r0 0:1", "r0 0:2"},
                 {},
                 {"r0=2"}},
        // Long items are skipped whole, and delimiters do not hide the usages they enclose.
        RuleCase{"long_items_skipped_and_delimiters_ignored",
                 {0xFE, 0x02, 0x10, 0xAA, 0xBB, 0xA9, 0x01, 0x09, 0x01, 0x09, 0x02, 0xA9, 0x00,
                  0x75, 0x08, 0x95, 0x01, 0xB1, 0x02},
                 {},
                 {"r0 0:1", "r0 0:2"},
                 {"r0=1"}},
        // Report ids are global: pop brings back the id pushed.
        RuleCase{"pop_restores_the_report_id",
                 {0x85, 0x87, 0x75, 0x08, 0x95, 0x04, 0xA4, 0x85, 0x93, 0x95,
                  0x28, 0x09, 0x02, 0xB1, 0x02, 0xB4, 0x09, 0x01, 0xB1, 0x02},
                 {},
                 {"r93 0:2", "r87 0:1"},
                 {"r93=40", "r87=4"}},
        // The largest report the lengths can carry is still taken.
        RuleCase{"largest_report_taken",
                 {0x75, 0x08, 0x96, 0xFF, 0xFF, 0x09, 0x01, 0xB1, 0x02},
                 {},
                 {"r0 0:1"},
                 {"r0=65535"}}),
    [](const ::testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

struct MalformedCase {
  const char* name;
  Bytes descriptor;
};

class MalformedDescriptorTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedDescriptorTest, IsRejectedWithAReason) {
  HidDescriptorCaps caps;
  std::string error;
  EXPECT_FALSE(Parse(GetParam().descriptor, caps, error));
  EXPECT_NE(error.find(" at byte "), std::string::npos) << error;
}

Bytes Repeated(uint8_t byte, size_t count) {
  return Bytes(count, byte);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, MalformedDescriptorTest,
    ::testing::Values(
        MalformedCase{"short_item_without_its_byte", {0x75}},
        MalformedCase{"four_byte_item_cut_short", {0x27, 0x01, 0x02}},
        MalformedCase{"long_item_prefix_alone", {0xFE}},
        MalformedCase{"long_item_without_its_tag", {0xFE, 0x01}},
        MalformedCase{"long_item_data_cut_short", {0xFE, 0x05, 0x00, 0x01}},
        MalformedCase{"pop_without_push", {0xA4, 0xB4, 0xB4}},
        MalformedCase{"push_too_deep", Repeated(0xA4, platform::kHidMaxPushDepth + 1)},
        MalformedCase{"end_collection_without_collection", {0xA1, 0x01, 0xC0, 0xC0}},
        MalformedCase{"collection_left_open", {0xA1, 0x01, 0xA1, 0x00, 0xC0}},
        MalformedCase{"report_id_zero", {0x85, 0x00}},
        MalformedCase{"report_id_without_data", {0x84}},
        MalformedCase{"report_id_past_one_byte", {0x86, 0x00, 0x01}},
        // Count 2^32 - 1 bytes; then size and count both 2^32 - 1, whose product needs 64 bits.
        MalformedCase{"absurd_count", {0x75, 0x08, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0xB1, 0x02}},
        MalformedCase{"absurd_size_and_count",
                      {0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02}},
        // Two fields that each fit, but not together in one report.
        MalformedCase{"report_grows_too_long",
                      {0x75, 0x08, 0x96, 0xFF, 0xFF, 0xB1, 0x02, 0x95, 0x01, 0xB1, 0x02}}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) {
      return std::string(info.param.name);
    });

TEST(TruncatedDescriptorTest, EveryCutOfARealDescriptorIsRejected) {
  // Each of these has one top-level collection and ends with its End Collection, so any
  // prefix that reaches into the collection either cuts an item or leaves it open.
  for (const Bytes* sample :
       {&testing_support::kKeyboardDescriptor, &testing_support::kMouseDescriptor,
        &testing_support::kGamepadDescriptor, &testing_support::kCameraDescriptor}) {
    const auto collection = std::find(sample->begin(), sample->end(), uint8_t{0xA1});
    ASSERT_NE(collection, sample->end());
    const size_t opened = static_cast<size_t>(collection - sample->begin()) + 2;
    for (size_t length = opened; length < sample->size(); ++length) {
      const Bytes prefix(sample->begin(), sample->begin() + static_cast<std::ptrdiff_t>(length));
      HidDescriptorCaps caps;
      std::string error;
      EXPECT_FALSE(Parse(prefix, caps, error)) << "prefix of " << length << " bytes";
    }
  }
}

}  // namespace
