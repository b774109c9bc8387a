// Another program on the display for the drag-and-drop test: "offer FILE..." shows a window that
// drags the files out (as a file manager offers them, copy or move) when the mouse is pressed on
// it; "receive FOLDER" shows a window that copies files dropped on it into the folder, as a file
// manager does, and prints each file's name.
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <cstdio>
#include <memory>

namespace {

class OfferWindow : public QWidget
{
public:
    explicit OfferWindow(QList<QUrl> urls) : FUrls(std::move(urls)) {}

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(FUrls);
        drag->setMimeData(data);
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
        std::printf("drag ended: %d\n", static_cast<int>(action));
        std::fflush(stdout);
    }

private:
    QList<QUrl> FUrls;
};

class ReceiveWindow : public QWidget
{
public:
    explicit ReceiveWindow(QString folder) : FFolder(std::move(folder)) { setAcceptDrops(true); }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override { event->acceptProposedAction(); }
    void dropEvent(QDropEvent* event) override
    {
        for (const QUrl& url : event->mimeData()->urls()) {
            const QString target = FFolder + "/" + QFileInfo(url.toLocalFile()).fileName();
            QFile::copy(url.toLocalFile(), target);
            std::printf("received %s\n", qPrintable(target));
        }
        std::fflush(stdout);
        event->acceptProposedAction();
    }

private:
    QString FFolder;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: dragdrop-peer offer FILE... | receive FOLDER\n");
        return 2;
    }
    std::unique_ptr<QWidget> window;
    if (arguments[1] == "offer") {
        QList<QUrl> urls;
        for (const QString& file : arguments.mid(2)) {
            urls.append(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
        }
        window = std::make_unique<OfferWindow>(urls);
        window->setWindowTitle("Peer offer");
    } else {
        window = std::make_unique<ReceiveWindow>(arguments[2]);
        window->setWindowTitle("Peer receive");
    }
    window->resize(200, 150);
    window->show();
    return application.exec();
}
