#include "app/AppExtraProvider.h"
#include "Sandbox.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

TEST(AppExtraProviderTest, NewRecordsCarryTheMailAddressAndTheRunningVersion)
{
    Sandbox sandbox;
    TSettings settings(nullptr);
    settings.LastUsedMailAddress = "anna@example.org";
    const TAppExtraProvider provider(settings);
    TExtraString::SetProvider(&provider);
    const TExtraString record(true);
    TExtraString::SetProvider(nullptr);

    EXPECT_EQ(record.Field(TExtraString::SenderAddress), "anna@example.org");
    const std::string expected = SEALVANE_TEST_PROGRAM_VERSION;
    EXPECT_EQ(record.Field(TExtraString::Version1) + "." + record.Field(TExtraString::Version2) + "." +
                  record.Field(TExtraString::Version3) + "." + record.Field(TExtraString::Version4),
              expected);
    EXPECT_EQ(record.Field(TExtraString::VersionText) + "." + record.Field(TExtraString::Version4), expected);
}
