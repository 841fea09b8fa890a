#include "app/window_drops.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <climits>

#include "app/command_line.h"
#include "form/drag_data.h"
#include "form/form1.h"
#include "platform/message_box.h"
#include "playlist/playlist_page.h"

namespace {

class WindowDrops : public QObject {
public:
    explicit WindowDrops(Form1& form) : QObject(&form), form_(form)
    {
        form.setAcceptDrops(true);
        form.installEventFilter(this);
        form.lblTabPlaylist->setAcceptDrops(true);
        form.lblTabPlaylist->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
        auto* drop = static_cast<QDropEvent*>(event);
        const QMimeData* data = drop->mimeData();
        const bool onTab = watched == form_.lblTabPlaylist;
        if (!data || !(onTab ? draggedTracks(*data).has_value() : data->hasUrls())) {
            drop->ignore();
            return onTab;
        }
        drop->acceptProposedAction();
        // Tracks held over the tab show the page, so that they can be dropped at a place in its list.
        if (onTab && type == QEvent::DragEnter && form_.fmPlaylist->isHidden()) form_.lblTabPlaylist_Click();
        if (type != QEvent::Drop) return true;
        if (onTab) {
            form_.fmPlaylist->insertTracks(*draggedTracks(*data), INT_MAX);
            form_.lblTabPlaylist_Click();
        } else {
            openDropped(data->urls());
        }
        return true;
    }

private:
    void openDropped(const QList<QUrl>& urls)
    {
        const QString path = urls.size() == 1 && urls[0].isLocalFile() ? urls[0].toLocalFile() : QString();
        const QString kind = QFileInfo(path).suffix().toLower();
        if (kind == QLatin1String("qdb")) {
            const QString problem = albumFileProblem(path);
            if (problem.isEmpty()) return openCommandLineAlbum(form_, path);
            return refuse(
                QStringLiteral("The album file\r%1\rwas not loaded: %2.").arg(QDir::toNativeSeparators(path), problem));
        }
        if (kind == QLatin1String("pll") || kind == QLatin1String("m3u8") || kind == QLatin1String("m3u")) {
            form_.fmPlaylist->loadPlaylistFile(QFile::encodeName(path).toStdString());
            return;
        }
        const QString what = path.isEmpty() ? QStringLiteral("What was dropped ")
                                            : QStringLiteral("The file\r%1\r").arg(QDir::toNativeSeparators(path));
        refuse(what
               + QStringLiteral("cannot be opened here.\r\rDrop one album file (.qdb) or one playlist file "
                                "(.pll, .m3u8, .m3u) on the window."));
    }

    void refuse(const QString& prompt)
    {
        form_.os.messages->show(prompt, QStringLiteral("Problem"), MsgIcon::Exclamation, MsgButtons::Ok);
    }

    Form1& form_;
};

}  // namespace

void acceptWindowDrops(Form1& form)
{
    new WindowDrops(form);
}
