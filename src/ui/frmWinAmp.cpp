#include "ui/frmWinAmp.h"

#include "app/Session.h"
#include "controls/ccXPButton.h"
#include "platform/WinePaths.h"
#include "ui/WidgetNames.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

namespace sonorelle {

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr qsizetype LongPath = 60;
constexpr qsizetype PathEnds = 25;

}  // namespace

frmWinAmp::frmWinAmp(Session& session, QWidget* owner)
    : QWidget(owner, Qt::Window)
    , session_(session)
    , reader_(session.playlistReader())
    , listview1_(Named(new QListWidget, "listview1"))
    , label1_(Named(new QLabel, "label1"))
    , Command1_(Named(new ccXPButton, "Command1"))
    , Command2_(Named(new ccXPButton, "Command2"))
    , Command3_(Named(new ccXPButton, "Command3"))
    , Command4_(Named(new ccXPButton, "Command4"))
    , Command5_(Named(new ccXPButton, "Command5"))
    , Command6_(Named(new ccXPButton, "Command6"))
    , Command7_(Named(new ccXPButton, "Command7"))
    , Command8_(Named(new ccXPButton, "Command8"))
{
    setObjectName(QStringLiteral("frmWinAmp"));
    setWindowTitle(QStringLiteral("WinAmp"));
    label1_->setTextFormat(Qt::PlainText);
    auto* grid = new QGridLayout(this);
    grid->addWidget(listview1_, 0, 0, 1, 4);
    grid->addWidget(label1_, 1, 0, 1, 4);
    int column = 0;
    for (ccXPButton* button : {Command1_, Command3_, Command4_, Command5_})
        grid->addWidget(button, 2, column++);
    column = 0;
    for (ccXPButton* button : {Command6_, Command7_, Command8_, Command2_})
        grid->addWidget(button, 3, column++);
    resize(460, 360);

    connect(Command1_, &ccXPButton::Click, this, &frmWinAmp::Command1_Click);
    connect(Command2_, &ccXPButton::Click, this, &QWidget::hide);
    connect(Command3_, &ccXPButton::Click, this, &frmWinAmp::addChecked);
    connect(Command4_, &ccXPButton::Click, this, [this] {
        const QString path = selectedPath();
        if (!path.isEmpty())
            emit play(path);
    });
    connect(Command5_, &ccXPButton::Click, this, &frmWinAmp::stop);
    connect(Command6_, &ccXPButton::Click, this, [this] { checkAll(true); });
    connect(Command7_, &ccXPButton::Click, this, [this] { checkAll(false); });
    connect(Command8_, &ccXPButton::Click, this, [this] { listview1_->sortItems(); });
    connect(listview1_, &QListWidget::currentItemChanged, this, &frmWinAmp::showSelectedPath);
    connect(listview1_, &QListWidget::itemChanged, this, &frmWinAmp::showSelectedPath);
}

void frmWinAmp::loadPlayerList()
{
    const QString folder = session_.shared().WinampDir;
    if (folder.isEmpty()) {
        listview1_->clear();
        return;
    }
    loadPlaylist(JoinPath(folder, QStringLiteral("winamp.m3u")));
}

void frmWinAmp::loadPlaylist(const QString& path)
{
    reader_.setFilename(path);
    reader_.Refresh();
    fill();
}

void frmWinAmp::fill()
{
    listview1_->clear();
    for (int i = 0; i < reader_.Count(); ++i) {
        auto* item = new QListWidgetItem(reader_.FileTitle(i), listview1_);
        item->setData(PathRole, reader_.File(i));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    label1_->clear();
}

void frmWinAmp::Command1_Click()
{
    const QString path = QFileDialog::getOpenFileName(
        this, {}, {}, QStringLiteral("Playlists (*.m3u *.m3u8 *.pls *.xspf);;All files (*)"));
    if (path.isEmpty())
        return;
    loadPlaylist(path);
    show();
}

QList<frmWinAmp::Entry> frmWinAmp::checkedEntries() const
{
    QList<Entry> entries;
    for (int row = 0; row < listview1_->count(); ++row) {
        const QListWidgetItem* item = listview1_->item(row);
        if (item->checkState() == Qt::Checked)
            entries.append({row, item->data(PathRole).toString()});
    }
    return entries;
}

void frmWinAmp::setChecked(int row, bool checked)
{
    if (QListWidgetItem* item = listview1_->item(row))
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

QString frmWinAmp::selectedPath() const
{
    const QListWidgetItem* item = listview1_->currentItem();
    return item ? item->data(PathRole).toString() : QString();
}

void frmWinAmp::showSelectedPath()
{
    label1_->setText(shownPath(selectedPath()));
}

void frmWinAmp::checkAll(bool checked)
{
    for (int row = 0; row < listview1_->count(); ++row)
        setChecked(row, checked);
}

QString frmWinAmp::shownPath(const QString& path)
{
    if (path.size() <= LongPath)
        return path;
    return path.left(PathEnds) + QStringLiteral("  . . .  ") + path.right(PathEnds);
}

}  // namespace sonorelle
