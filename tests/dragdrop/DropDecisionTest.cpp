#include "dragdrop/DropDecision.h"
#include "DragDropFixture.h"
#include "dragdrop/DropZone.h"
#include "dragdrop/FileList.h"
#include "dragdrop/VirtualFiles.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

namespace {

using Kind = TDropDecision::TKind;

class DropTest : public DragDropFixture
{
protected:
    QByteArray Uri(const std::string& name)
    {
        return QUrl::fromLocalFile(QString::fromStdString(FDir.File(name))).toEncoded();
    }
    std::vector<std::string> Paths(const std::vector<std::string>& names)
    {
        std::vector<std::string> paths;
        for (const std::string& name : names) {
            paths.push_back(FDir.File(name));
        }
        return paths;
    }
    std::vector<std::string> WorkPaths(const std::vector<std::string>& names)
    {
        std::vector<std::string> paths;
        for (const std::string& name : names) {
            paths.push_back((std::filesystem::path(FSettings.TempPath) / name).string());
        }
        return paths;
    }
};

// A drag entering the widget and dropped there, as the toolkit delivers it; the action taken.
Qt::DropAction DropOn(QWidget& widget, QMimeData& data, Qt::DropActions offered)
{
    QDragEnterEvent enter(QPoint(5, 5), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &enter);
    QDropEvent drop(QPointF(5, 5), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

struct OfferRow
{
    const char* what;
    std::function<void(QMimeData&)> build;
    Kind kind;
    std::vector<std::string> files; // work-folder names for virtual files, scratch names for files
    std::string text;               // contained in the decided text
    bool rich = false;
};

} // namespace

TEST_F(DropTest, AnOfferIsDecidedInItsOrderOfKinds)
{
    const QString wrappedW = QStringLiteral("application/x-qt-windows-mime;value=\"FileGroupDescriptorW\"");
    const OfferRow rows[] = {
        {"a file manager's three files, with a comment line, keep their order",
         [&](QMimeData& m) {
             m.setData("text/uri-list",
                       "# dragged\r\n" + Uri("b.txt") + "\r\n" + Uri("a.txt") + "\r\n" + Uri("c d.txt") + "\r\n");
         },
         Kind::Files,
         {"b.txt", "a.txt", "c d.txt"},
         {}},
        {"files with their names as text are files only",
         [&](QMimeData& m) {
             m.setData("text/uri-list", Uri("x.xvt") + "\r\n");
             m.setText("x.xvt");
         },
         Kind::Files,
         {"x.xvt"},
         {}},
        {"remote addresses are passed over, the local file stays",
         [&](QMimeData& m) {
             m.setData("text/uri-list", "https://example.org/a.txt\r\n" + Uri("local.txt") + "\r\nsftp://host/b\r\n");
         },
         Kind::Files,
         {"local.txt"},
         {}},
        {"a remote address alone adds nothing",
         [](QMimeData& m) { m.setUrls({QUrl("https://example.org/report.xvt")}); },
         Kind::Nothing,
         {},
         {}},
        {"a browser's link falls through to its text",
         [](QMimeData& m) {
             m.setUrls({QUrl("https://example.org/")});
             m.setText("https://example.org/");
         },
         Kind::Text,
         {},
         "https://example.org/"},
        {"an empty file list falls through to the text",
         [](QMimeData& m) {
             m.setData("text/uri-list", "");
             m.setText("  hello \n");
         },
         Kind::Text,
         {},
         "  hello \n"},
        {"rich and plain text is rich",
         [](QMimeData& m) {
             m.setData("text/rtf", "{\\rtf1\\ansi {\\b strong}}");
             m.setText("strong");
         },
         Kind::Text,
         {},
         "{\\rtf1\\ansi {\\b strong}}",
         true},
        {"application/rtf is rich text too",
         [](QMimeData& m) {
             m.setData("application/rtf", "{\\rtf1 x}");
             m.setHtml("<i>y</i>");
         },
         Kind::Text,
         {},
         "{\\rtf1 x}",
         true},
        {"HTML becomes RTF",
         [](QMimeData& m) {
             m.setHtml("<p>see <b>bold</b> &amp; more</p>");
             m.setText("see bold & more");
         },
         Kind::Text,
         {},
         "\\b bold",
         true},
        {"plain text is UTF-8", [](QMimeData& m) { m.setText(QStringLiteral("Grüße")); }, Kind::Text, {}, "Grüße"},
        {"an offer's hundredth format is not looked at",
         [&](QMimeData& m) {
             for (int n = 0; n < 99; ++n) {
                 m.setData(QStringLiteral("application/x-filler-%1").arg(n), "x");
             }
             m.setData("text/uri-list", Uri("late.txt"));
         },
         Kind::Nothing,
         {},
         {}},
        {"virtual files are written without the blanks around their names; only the first has contents",
         [](QMimeData& m) {
             m.setData("FileGroupDescriptor", Descriptor({"  report.txt \t", "second.txt"}, false));
             m.setData("FileContents", "the report");
             m.setText("not this");
         },
         Kind::VirtualFiles,
         {"report.txt"},
         {}},
        {"UTF-16 names under the toolkit's wrapped format names",
         [&](QMimeData& m) {
             m.setData(wrappedW, Descriptor({"Übersicht.pdf"}, true));
             m.setData("application/x-qt-windows-mime;value=\"FileContents\"", "%PDF");
         },
         Kind::VirtualFiles,
         {"Übersicht.pdf"},
         {}},
        {"a virtual file named as a path is refused and the offer falls through to its text",
         [](QMimeData& m) {
             m.setData("FileGroupDescriptor", Descriptor({"../escaped.txt"}, false));
             m.setData("FileContents", "x");
             m.setText("fallback");
         },
         Kind::Text,
         {},
         "fallback"},
    };
    for (const OfferRow& row : rows) {
        SCOPED_TRACE(row.what);
        QMimeData data;
        row.build(data);
        const TDropDecision decision = TDropDecision::Of(data, FSettings.TempPath);
        EXPECT_EQ(decision.FKind, row.kind);
        EXPECT_EQ(decision.FFiles, row.kind == Kind::VirtualFiles ? WorkPaths(row.files) : Paths(row.files));
        EXPECT_NE(decision.FText.find(row.text), std::string::npos) << decision.FText;
        EXPECT_EQ(decision.FRich, row.rich);
    }
    EXPECT_EQ(ReadWholeFile(WorkPaths({"report.txt"})[0]), "the report");
    EXPECT_EQ(ReadWholeFile(WorkPaths({"Übersicht.pdf"})[0]), "%PDF");
    EXPECT_FALSE(std::filesystem::exists(FDir.File("escaped.txt")));
}

TEST_F(DropTest, VirtualFilesPassOverWhatCannotBeHadAndKeepNamesApart)
{
    const std::vector<std::string> written = VirtualFiles::Write(
        {"a.txt", "b.txt", "a.txt", ".", "c.txt"},
        [](int index) -> std::optional<QByteArray> {
            if (index == 1) {
                return std::nullopt;
            }
            return QByteArray("file ") + QByteArray::number(index);
        },
        FSettings.TempPath);
    EXPECT_EQ(written, WorkPaths({"a.txt", "1/a.txt", "c.txt"}));
    EXPECT_EQ(ReadWholeFile(written[0]), "file 0");
    EXPECT_EQ(ReadWholeFile(written[1]), "file 2");
    EXPECT_EQ(ReadWholeFile(written[2]), "file 4");

    QByteArray claimsMore = Descriptor({"one.txt"}, false);
    claimsMore[0] = char(200);
    EXPECT_EQ(VirtualFiles::DescriptorNames(claimsMore, false), std::vector<std::string>{"one.txt"})
        << "a count past the block's end";
}

TEST_F(DropTest, MovingIsOfferedAsCopying)
{
    EXPECT_EQ(TDropDecision::Action(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction), Qt::CopyAction);
    EXPECT_EQ(TDropDecision::Action(Qt::MoveAction, Qt::MoveAction), Qt::CopyAction);
    EXPECT_EQ(TDropDecision::Action(Qt::CopyAction | Qt::LinkAction, Qt::LinkAction), Qt::LinkAction);
}

TEST_F(DropTest, FilesCutInAFileManagerArePastedAsCopies)
{
    QMimeData cut;
    cut.setData("x-special/gnome-copied-files", "cut\n" + Uri("one.txt") + "\n" + Uri("two.txt"));
    EXPECT_EQ(FileList::LocalFiles(cut), QStringList({QString::fromStdString(FDir.File("one.txt")),
                                                      QString::fromStdString(FDir.File("two.txt"))}));

    const std::unique_ptr<QMimeData> offer(FileList::Offer(Paths({"x.txt", "y z.txt"}), true));
    EXPECT_EQ(offer->data("x-special/gnome-copied-files"), "copy\n" + Uri("x.txt") + "\n" + Uri("y z.txt"));
    EXPECT_EQ(FileList::LocalFiles(*offer).size(), 2);
}

TEST_F(DropTest, DroppedFilesReachTheWindowAsOneCallAfterTheDrop)
{
    const std::string first = MakeFile("first.txt", "1");
    const std::string second = MakeFile("second.txt", "22");
    TestWindow& window = NewWindow();
    QWidget area;
    TDropZone zone(FCommands, &window, FSettings, FTemporaryFiles, &area);
    zone.Watch(area);

    QMimeData data;
    data.setData("text/uri-list", Uri("second.txt") + "\r\n" + Uri("first.txt") + "\r\n");
    EXPECT_EQ(DropOn(area, data, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
    EXPECT_TRUE(window.AttachmentNames().empty()) << "nothing happens inside the drop";
    QApplication::processEvents();
    EXPECT_EQ(window.AttachmentNames(), (std::vector<std::string>{"first.txt", "second.txt"})) << "in catalog order";

    FSession.SetDropSource(&window);
    DropOn(area, data, Qt::CopyAction);
    QApplication::processEvents();
    EXPECT_EQ(window.AttachmentNames().size(), 2u) << "dragged out of this window: added nothing";
    EXPECT_EQ(FSession.DropSource(), nullptr);

    QMimeData virtualFile;
    virtualFile.setData("FileGroupDescriptor", Descriptor({"attached.doc"}, false));
    virtualFile.setData("FileContents", "doc");
    DropOn(area, virtualFile, Qt::CopyAction);
    QApplication::processEvents();
    const std::vector<std::string> names = window.AttachmentNames();
    EXPECT_EQ(names.size(), 3u);
    EXPECT_EQ(std::count(names.begin(), names.end(), "attached.doc"), 1);
    EXPECT_TRUE(FTemporaryFiles.Contains(WorkPaths({"attached.doc"})[0]));
}
