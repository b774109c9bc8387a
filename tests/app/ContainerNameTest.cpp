#include "app/ContainerName.h"
#include "ScriptedQuestions.h"
#include "TempDir.h"
#include "app/TemporaryFiles.h"

#include <QDateTime>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QDateTime At(int year, int month, int day, int hour, int minute, int second, int millisecond)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, millisecond));
}

} // namespace

TEST(ContainerNameTest, StampIsPaddedWithZeros)
{
    EXPECT_EQ(ContainerNameStamp(At(2007, 3, 9, 7, 5, 3, 42)), "2007-03-09_07-05-03_042");
    EXPECT_EQ(ContainerNameStamp(At(2007, 3, 9, 7, 5, 3, 2)), "2007-03-09_07-05-03_002");
    EXPECT_EQ(ContainerNameStamp(At(2024, 12, 31, 23, 59, 59, 999)), "2024-12-31_23-59-59_999");
    EXPECT_EQ(ContainerNameStamp(At(999, 1, 1, 0, 0, 0, 0)), "0999-01-01_00-00-00_000");
}

TEST(ContainerNameTest, PartsAreJoinedByOneBlankAndTrimmed)
{
    const QDateTime moment = At(2007, 3, 9, 7, 5, 3, 42);
    EXPECT_EQ(ContainerFileName("", "", moment), "2007-03-09_07-05-03_042.xvt");
    EXPECT_EQ(ContainerFileName("Mail", "", moment), "Mail 2007-03-09_07-05-03_042.xvt");
    EXPECT_EQ(ContainerFileName("", "End", moment), "2007-03-09_07-05-03_042 End.xvt");
    EXPECT_EQ(ContainerFileName(" \tMail  ", "  to Anna \n", moment), "Mail 2007-03-09_07-05-03_042 to Anna.xvt");
}

TEST(ContainerNameTest, NewNameLiesInTheWorkFolderAndIsListedForWiping)
{
    TempDir dir;
    TTemporaryFiles files;
    ScriptedQuestions user;
    const std::string name = MakeContainerName(dir.Path(), "Mail", "", files, user);
    const QString pattern = QRegularExpression::escape(QString::fromStdString(dir.Path() + "/Mail ")) +
                            QDateTime::currentDateTime().toString("yyyy-MM-dd") + "_\\d\\d-\\d\\d-\\d\\d_\\d{3}\\.xvt";
    EXPECT_TRUE(QRegularExpression("^" + pattern + "$").match(QString::fromStdString(name)).hasMatch()) << name;
    EXPECT_EQ(files.Files(), std::vector<std::string>{name});
}

TEST(ContainerNameTest, NamePartWithAFolderIsRefused)
{
    TempDir dir;
    TTemporaryFiles files;
    // The text names the whole file name, time stamp included: only its start is known here.
    struct Shown : IMessages
    {
        std::string FCaption;
        std::string FText;
        void ShowInfoBox(const std::string& caption, const std::string& text) override
        {
            FCaption = caption;
            FText = text;
        }
    } shown;
    EXPECT_EQ(MakeContainerName(dir.Path(), "../../escape", "", files, shown), "");
    EXPECT_EQ(shown.FCaption, "Error");
    EXPECT_TRUE(shown.FText.starts_with("Illegal file name '../../escape ")) << shown.FText;
    EXPECT_EQ(files.Count(), 0);
}
