#include "playlist/FormPLS.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPalette>
#include <QScrollBar>
#include <QSet>
#include <algorithm>
#include <numeric>

#include "app/Wiring.h"
#include "platform/Bitmap.h"
#include "platform/BrowseFolder.h"
#include "platform/MediaTypes.h"
#include "platform/PlaybackControl.h"
#include "platform/Screen.h"
#include "playlist/EntryDelegate.h"
#include "playlist/FolderScan.h"
#include "playlist/ForeignPlaylist.h"
#include "playlist/M3uPlaylist.h"
#include "playlist/NaturalOrder.h"
#include "playlist/PlaylistFile.h"
#include "playlist/SkinMenu.h"
#include "playlist/SkinScrollStyle.h"
#include "skin/SkinPalette.h"
#include "skin/Sprite.h"
#include "skin/mdlSkin.h"

FormPLS::FormPLS(Wiring& wiring) : Form(Qt::Tool | Qt::FramelessWindowHint), wiring_(wiring) {
    setObjectName(QStringLiteral("FormPLS"));
    setWindowTitle(QStringLiteral("Solvane Playlist"));
    createFrame();
    createWorkingControls();
    createHotspots();
    announceUpcomingChanges();
    MessageBox = [this](const QString& text) {
        QMessageBox::information(dialogOwner(), QStringLiteral("Solvane"), text);
    };
    SetSize(4125.0f, 3915.0f);
}

FormPLS::~FormPLS() {
    // The list dies with the base class and announces its last changes then; by that time this
    // window is no longer a playlist window to hear them.
    List2->model()->disconnect(this);
    List2->disconnect(this);
}

PictureBox* FormPLS::box(QWidget* parent, float left, float top, float width, float height,
                         int index) {
    auto* picture = new PictureBox(parent, index);
    picture->Move(left, top, width, height);
    return picture;
}

void FormPLS::createFrame() {
    // Bottom to top: the edges under the bars, so that the bars' corners show.
    LeftBar = box(this, 0, 0, 375, 3915);
    RightBar[0] = box(this, 3750, 240, 375, 3135);
    for (int k = 1; k <= 7; ++k)
        RightBar[k] = box(RightBar[0], 0, 240 + 420.0f * (k - 1), 375, 435, k);
    BotmBar = box(this, 0, 3345, 4125, 570);
    Bar[1] = box(this, 0, 0, 4125, 300, 1);
    Bar[0] = box(this, 0, 0, 4125, 300, 0);
    Bar[1]->hide();

    Addbtn = box(this, 210, 3465, 330, 270);
    Remove = box(this, 645, 3465, 330, 270);
    Select = box(this, 1080, 3465, 330, 270);
    Misc = box(this, 1515, 3465, 330, 270);
    List = box(this, 3465, 3465, 330, 270);

    // The button menus stay folded away until a button opens one.
    AddMen = box(this, 210, 2925, 330, 810);
    RemMen = box(this, 645, 2655, 330, 1080);
    SelMen = box(this, 1080, 2925, 330, 810);
    MisMen = box(this, 1515, 2925, 330, 810);
    ListMen = box(this, 3465, 2925, 330, 810);
    for (int k = 0; k < 3; ++k) {
        ButtonAdd[k] = box(AddMen, 0, 270.0f * k, 330, 270, k);
        ButtonSel[k] = box(SelMen, 0, 270.0f * k, 330, 270, k);
        ButtonMis[k] = box(MisMen, 0, 270.0f * k, 330, 270, k);
        ButtonLst[k] = box(ListMen, 0, 270.0f * k, 330, 270, k);
    }
    for (int k = 0; k < 4; ++k) ButtonRem[k] = box(RemMen, 0, 270.0f * k, 330, 270, k);
    AddBar = box(this, 165, 2925, 45, 810);
    RemBar = box(this, 600, 2655, 45, 1080);
    SelBar = box(this, 1035, 2925, 45, 810);
    MisBar = box(this, 1470, 2925, 45, 810);
    ListBar = box(this, 3420, 2925, 45, 810);
    for (PictureBox* menu :
         {AddMen, RemMen, SelMen, MisMen, ListMen, AddBar, RemBar, SelBar, MisBar, ListBar})
        menu->hide();
    for (auto* items : {&ButtonAdd, &ButtonSel, &ButtonMis, &ButtonLst})
        for (PictureBox* button : *items) button->hide();
    for (PictureBox* button : ButtonRem) button->hide();

    Shade = box(this, 3825, 45, 135, 135);
    Shade2 = box(this, 3825, 45, 135, 135);
    ShadeD = box(this, 3825, 45, 135, 135);
    Exit = box(this, 3960, 45, 135, 135);
    Exit2 = box(this, 3960, 45, 135, 135);
    ExitD = box(this, 3960, 45, 135, 135);
    // Only the first face of each top-bar button is shown; nothing switches faces.
    for (PictureBox* face : {Shade2, ShadeD, Exit2, ExitD}) face->hide();
    Shade->raise();
    Exit->raise();

    PLEdit = box(this, 60, 5700, 4200, 2790);
    BASEPLEdit = box(PLEdit, 0, 0, 4200, 2790);
    PLEdit->hide();
    const QImage builtIn = Bitmap::Load(QStringLiteral(":/builtin/pledit.bmp"));
    PLEdit->SetPicture(builtIn);
    BASEPLEdit->SetPicture(builtIn);
}

void FormPLS::createWorkingControls() {
    List2 = new QListWidget(this);
    const auto place = [](QWidget* widget, float left, float top, float width, float height) {
        widget->setGeometry(Screen::ToPixelsX(left), Screen::ToPixelsY(top),
                            Screen::ToPixelsX(width), Screen::ToPixelsY(height));
    };
    place(List2, 120, 285, 3885, 3030);
    List2->setSelectionMode(QAbstractItemView::SingleSelection);
    List2->setFrameShape(QFrame::NoFrame);
    // White on black through the palette: a style sheet would cost start-up time.
    QPalette blackGround = List2->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window})
        blackGround.setColor(role, Qt::black);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        blackGround.setColor(role, Qt::white);
    List2->setPalette(blackGround);
    setPalette(blackGround);  // the seams between the frame pieces and the list stay dark
    setAutoFillBackground(true);
    setUpListLook();
    connect(List2, &QListWidget::itemClicked, this, [this] { List2_Click(); });
    connect(List2, &QListWidget::itemDoubleClicked, this, [this] { List2_DblClick(); });

    Text4 = new QLineEdit(QStringLiteral("0"), this);
    place(Text4, 2940, 3440, 375, 180);
    Text4->setFrame(false);
    Text4->setReadOnly(true);
    Text4->setPalette(blackGround);
    Text4->setFont(SkinPalette::ListFont());
    Text4->setAlignment(Qt::AlignCenter);
}

int FormPLS::EntryCount() const {
    return List2->count();
}

int FormPLS::CurrentIndex() const {
    // The selection, not the list's current row: focus alone makes a row current.
    const QList<QListWidgetItem*> selected = List2->selectedItems();
    return selected.isEmpty() ? -1 : List2->row(selected.first());
}

void FormPLS::AppendEntry(const QString& path, const QString& name) {
    List1.append(path);
    List2->addItem(name);
}

QString FormPLS::Getfilename(const QString& path) {
    // The tail after the last separator; a final separator stays part of the result.
    for (qsizetype i = path.size() - 2; i >= 0; --i)
        if (path.at(i) == QLatin1Char('\\') || path.at(i) == QLatin1Char('/'))
            return path.mid(i + 1);
    return path;
}

void FormPLS::setText2(const QString& path) {
    Text2 = path;
    Text3 = Getfilename(Text2);
    Text3ToolTip = Text3;
}

void FormPLS::setTotalFiles(const QString& text) {
    lbltotalfiles = text;
    Text4->setText(lbltotalfiles);
}

void FormPLS::List2_Click() {
    setTotalFiles(QString::number(List2->count()));
}

void FormPLS::startEntry(int k) {
    if (k < 0 || k >= List2->count())
        return;  // nothing to start: ends quietly
    setText2(List1.value(k));
    PlayingIndex = k;
    List2->setCurrentRow(k);
    List2_Click();
    wiring_.Playback().SetFileName(Text2);
}

// At the last entry the list wraps; a one-entry list starts its entry again.
int FormPLS::indexAfter(int i, int n) {
    if (shuffle_)
        return shuffleOrder_.After(i, n);
    return i == n - 1 ? 0 : i + 1;
}

int FormPLS::indexBefore(int i, int n) {
    if (shuffle_)
        return shuffleOrder_.Before(i, n);
    return i <= 0 ? n - 1 : i - 1;
}

void FormPLS::PlayNext() {
    movingBack_ = false;
    const int n = EntryCount();
    if (n == 0)
        return;
    startEntry(indexAfter(CurrentIndex(), n));
}

void FormPLS::PlayPrev() {
    movingBack_ = true;
    startEntry(indexBefore(CurrentIndex(), EntryCount()));
}

void FormPLS::SetShuffle(bool on) {
    if (on == shuffle_)
        return;
    shuffle_ = on;
    if (on)
        shuffleOrder_.Restart(CurrentIndex(), EntryCount());
    emit UpcomingChanged();
}

QString FormPLS::UpcomingPath() {
    const int n = EntryCount();
    return n == 0 ? QString() : List1.value(indexAfter(CurrentIndex(), n));
}

void FormPLS::announceUpcomingChanges() {
    QAbstractItemModel* model = List2->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &FormPLS::UpcomingChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &FormPLS::UpcomingChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &FormPLS::UpcomingChanged);
    connect(List2, &QListWidget::currentRowChanged, this, &FormPLS::UpcomingChanged);
    connect(List2, &QListWidget::itemSelectionChanged, this, &FormPLS::UpcomingChanged);
}

void FormPLS::List2_DblClick() {
    movingBack_ = false;
    setText2(List1.value(CurrentIndex()));
    if (Text2.isEmpty())
        return;
    PlayingIndex = CurrentIndex();
    wiring_.Playback().SetFileName(Text2);
    emit EntryChosen();
}

void FormPLS::Add() {
    if (EntryCount() == 0)
        Nofiles = -1;
    AddFile();
    if (Nofiles == -1) {
        PlayNext();
        Nofiles = 0;
    }
}

void FormPLS::AddFile() {
    CD.SetFilter(MediaTypes::OpenFilter());
    CD.SetDialogTitle(QStringLiteral("Choose media to play"));
    CD.Owner = dialogOwner();
    CD.ShowOpen();
    MoviePath = CD.FileName();
    if (MoviePath.isEmpty())
        return;
    if (MoviePath.endsWith(QStringLiteral(".slv"))) {
        PullFromASX(MoviePath);
        return;
    }
    if (ForeignPlaylist::Handles(MoviePath)) {
        PullForeign(MoviePath);
        return;
    }
    AppendEntry(MoviePath, Getfilename(MoviePath));
}

void FormPLS::LblAddDir_Click() {
    MoviePath = modBrowseFolder::BrowseFolder(dialogOwner());
    if (MoviePath.isEmpty())
        return;
    ScanFolder(MoviePath);
}

void FormPLS::ScanFolder(const QString& path) {
    // As the dialog or the desktop gave it: "\" is an ordinary character.
    QStringList paths, names;
    FolderScan::Collect(path, &paths, &names);
    for (qsizetype i = 0; i < paths.size(); ++i) AppendEntry(paths.at(i), names.at(i));
}

void FormPLS::AddPath(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) {
        ScanFolder(path);
    } else if (path.endsWith(QStringLiteral(".slv"), Qt::CaseInsensitive)) {
        PullFromASX(path);
    } else if (ForeignPlaylist::Handles(path)) {
        PullForeign(path);
    } else if (MediaTypes::IsPlayable(path)) {
        AppendEntry(path, Getfilename(path));
    }
}

void FormPLS::PlaySelected() {
    List2_DblClick();
}

void FormPLS::Clearlst() {
    List1.clear();
    List2->clear();
    PlayingIndex = -1;
}

void FormPLS::SaveLst() {
    CD.SetFilter(QStringLiteral("Solvane Playlist (slv)|*.slv|M3U8 Playlist|*.m3u8"));
    // A bare name gets ".slv", so the playlist can be loaded back as a playlist.
    CD.SetDefaultExt(QStringLiteral("slv"));
    CD.Owner = dialogOwner();
    CD.ShowSave();
    Text1 = CD.FileName();
    if (Text1.isEmpty())
        return;
    WriteToASX(Text1);
}

void FormPLS::WriteToASX(const QString& path) {
    QStringList names;
    for (int i = 0; i < List2->count(); ++i) names << List2->item(i)->text();
    PlaylistEntries entries;
    for (qsizetype i = 0; i < List1.size(); ++i) entries.append({List1.at(i), names.value(i)});
    if (const auto error = ForeignPlaylist::WritesAsM3u(path)
                               ? M3uPlaylist::Write(path, entries)
                               : PlaylistFile::Write(path, PlaylistFile::Compose(List1, names)))
        MessageBox(QStringLiteral("There was an Error writing To the playlist: ") + *error);
}

void FormPLS::PullFromASX(const QString& path) {
    QString error;
    if (!PlaylistFile::Read(path, &Text1, &error))
        return;
    QStringList paths;
    const bool complete = PlaylistFile::Scan(Text1, PlaylistFile::PathMarker(), &paths).has_value();
    List1.append(PlaylistFile::EntryPaths(paths, path));
    if (!complete)
        return;  // paths read before the failure stay; names are not read
    PullCosmeticsASX(path);
}

void FormPLS::PullForeign(const QString& path) {
    PlaylistEntries entries;
    QString error;
    if (!ForeignPlaylist::Read(path, &entries, &error)) {
        MessageBox(QStringLiteral("There was an Error reading from the playlist: ") + error);
        return;
    }
    for (const PlaylistEntry& entry : entries)
        AppendEntry(entry.path, entry.name.isEmpty() ? Getfilename(entry.path) : entry.name);
}

void FormPLS::PullCosmeticsASX(const QString& path) {
    QString text;
    QString error;
    if (!PlaylistFile::Read(path, &text, &error)) {
        MessageBox(QStringLiteral("There was an Error reading from the playlist: ") + error);
        return;
    }
    QStringList names;
    const bool complete = PlaylistFile::Scan(text, PlaylistFile::NameMarker(), &names).has_value();
    List2->addItems(names);
    if (!complete)
        MessageBox(QStringLiteral("There was an Error reading from the playlist: ") +
                   QStringLiteral("a name has no closing quote"));
}

void FormPLS::createHotspots() {
    imgMenu = new ImageControl(this);
    imgMenu->Move(3960, 0, 135, 135);
    connect(imgMenu, &ImageControl::MouseDown, this,
            [this] { mdlSkin::DrawSprite(wiring_, Sprite::TitleBar, 3, 1); });
    connect(imgMenu, &ImageControl::MouseUp, this, [this] {
        mdlSkin::DrawSprite(wiring_, Sprite::TitleBar, 2, 0);
        hide();
    });
    createMenus();
}

void FormPLS::EntryFailed() {
    ++failuresInARow_;
    // A broken entry is stepped over in the direction the user was moving.
    if (failuresInARow_ < EntryCount()) {
        if (movingBack_)
            PlayPrev();
        else
            PlayNext();
        return;
    }
    failuresInARow_ = 0;
    emit EveryEntryFailed();
}

void FormPLS::Form_Load() {
    CD.Owner = this;
    CD.SetDialogTitle(QStringLiteral("Choose media to play"));
    Nofiles = 0;
    mdlSkin::DrawSprite(wiring_, Sprite::TitleBar, 4, 0);
    mdlSkin::PaintPlaylistFrame(wiring_);
}

void FormPLS::setUpListLook() {
    List2->setFont(SkinPalette::ListFont());
    List2->setUniformItemSizes(true);
    List2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // long names end in "..."
    List2->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const auto colours = [this]() -> const SkinPalette& { return Colours(); };
    // Both are children of what uses them, so they outlive its painting.
    List2->setItemDelegate(new EntryDelegate(
        colours, [this] { return PlayingIndex; }, List2));
    QScrollBar* bar = List2->verticalScrollBar();
    auto* style = new SkinScrollStyle(colours);
    style->setParent(bar);
    bar->setStyle(style);
}

const SkinPalette& FormPLS::Colours() const {
    return SkinPalette::For(PLEdit->Picture());
}

void FormPLS::SetFrameSize(float width, float height) {
    SetSize(width, height);
    List2->viewport()->update();
    List2->verticalScrollBar()->update();
}

QWidget* FormPLS::dialogOwner() {
    if (isVisible())
        return this;
    return &wiring_.DockAnchor();
}

void FormPLS::createMenus() {
    const auto menu = [](PictureBox* button, PictureBox* strip, PictureBox* box,
                         std::vector<PictureBox*> items,
                         std::vector<std::function<void()>> actions) {
        return new SkinMenu({button, strip, box, std::move(items)}, std::move(actions));
    };
    menus_[AddMenu] =
        menu(Addbtn, AddBar, AddMen, {ButtonAdd.begin(), ButtonAdd.end()},
             {[this] { Add(); }, [this] { LblAddDir_Click(); }, [this] { AddPlaylist(); }});
    menus_[RemoveMenu] = menu(Remove, RemBar, RemMen, {ButtonRem.begin(), ButtonRem.end()},
                              {[this] { RemoveSelected(); }, [this] { RemoveMissing(); },
                               [this] { RemoveDuplicates(); }, [this] { Clearlst(); }});
    menus_[SelectMenu] =
        menu(Select, SelBar, SelMen, {ButtonSel.begin(), ButtonSel.end()},
             {[this] { SelectPlaying(); }, [this] { SelectFirst(); }, [this] { SelectLast(); }});
    menus_[MiscMenu] =
        menu(Misc, MisBar, MisMen, {ButtonMis.begin(), ButtonMis.end()},
             {[this] { SortByName(); }, [this] { SortByPath(); }, [this] { Reverse(); }});
    menus_[ListMenu] = menu(List, ListBar, ListMen, {ButtonLst.begin(), ButtonLst.end()},
                            {[this] { LoadPlaylist(); },
                             [this] {
                                 if (!List1.isEmpty())
                                     SaveLst();
                             },
                             [this] { NewList(); }});
}

int FormPLS::pairedCount() const {
    return std::min(static_cast<int>(List1.size()), List2->count());
}

void FormPLS::selectRow(int row) {
    if (row < 0 || row >= List2->count()) {
        List2->setCurrentItem(nullptr);
        List2->clearSelection();
        return;
    }
    List2->setCurrentRow(row);
    List2->scrollToItem(List2->item(row));
}

void FormPLS::applyOrder(const QList<int>& order) {
    // Only entries with both a path and a name move; an unpaired tail left by a damaged
    // playlist file stays behind them as it was.
    const int n = pairedCount();
    const auto follow = [&](int row) {
        if (row < 0)
            return -1;
        return row < n ? static_cast<int>(order.indexOf(row))
                       : row - n + static_cast<int>(order.size());
    };
    const int selected = follow(CurrentIndex());
    PlayingIndex = follow(PlayingIndex);
    std::vector<std::unique_ptr<QListWidgetItem>> items(static_cast<std::size_t>(n));
    for (int i = n - 1; i >= 0; --i) items[static_cast<std::size_t>(i)].reset(List2->takeItem(i));
    QStringList paths;
    for (int k = 0; k < order.size(); ++k) {
        const int old = order[k];
        List2->insertItem(k, items[static_cast<std::size_t>(old)].release());
        paths << List1.at(old);
    }
    List1 = paths + List1.mid(n);
    selectRow(selected);
    List2->viewport()->update();
}

void FormPLS::RemoveSelected() {
    const int row = CurrentIndex();
    if (row < 0 || row >= pairedCount())
        return;
    QList<int> order;
    for (int i = 0; i < pairedCount(); ++i)
        if (i != row)
            order << i;
    applyOrder(order);
    // The entry that took its place is selected, as a list box does after a removal.
    selectRow(std::min(row, List2->count() - 1));
    List2_Click();  // the count follows
}

void FormPLS::RemoveMissing() {
    QList<int> order;
    for (int i = 0; i < pairedCount(); ++i)
        if (QFileInfo::exists(List1.at(i)))  // paths are already in the file system's form
            order << i;
    applyOrder(order);
}

void FormPLS::RemoveDuplicates() {
    const int n = pairedCount();
    QSet<QString> seen;
    if (PlayingIndex >= 0 && PlayingIndex < n)
        seen.insert(List1.at(PlayingIndex));
    QList<int> order;
    for (int i = 0; i < n; ++i) {
        if (i != PlayingIndex && seen.contains(List1.at(i)))
            continue;
        seen.insert(List1.at(i));
        order << i;
    }
    applyOrder(order);
}

void FormPLS::SelectPlaying() {
    if (PlayingIndex >= 0 && PlayingIndex < List2->count())
        selectRow(PlayingIndex);
}

void FormPLS::SelectFirst() {
    if (List2->count() > 0)
        selectRow(0);
}

void FormPLS::SelectLast() {
    if (List2->count() > 0)
        selectRow(List2->count() - 1);
}

namespace {
QList<int> sortedBy(int n, const std::function<QString(int)>& key) {
    QList<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return NaturalOrder::Less(key(a), key(b)); });
    return order;
}
}  // namespace

void FormPLS::SortByName() {
    applyOrder(sortedBy(pairedCount(), [this](int i) { return List2->item(i)->text(); }));
}

void FormPLS::SortByPath() {
    applyOrder(sortedBy(pairedCount(), [this](int i) { return List1.at(i); }));
}

void FormPLS::Reverse() {
    QList<int> order(pairedCount());
    std::iota(order.rbegin(), order.rend(), 0);
    applyOrder(order);
}

void FormPLS::NewList() {
    Clearlst();
}

QString FormPLS::choosePlaylist() {
    CD.SetFilter(MediaTypes::PlaylistFilter() + QStringLiteral("|Solvane Playlist (slv)|*.slv"));
    CD.SetDialogTitle(QStringLiteral("Choose a playlist"));
    CD.Owner = dialogOwner();
    CD.ShowOpen();
    CD.SetDialogTitle(QStringLiteral("Choose media to play"));
    return CD.FileName();
}

void FormPLS::AddPlaylist() {
    const QString path = choosePlaylist();
    if (path.isEmpty())
        return;
    const bool wasEmpty = EntryCount() == 0;
    pullList(path);
    if (wasEmpty)
        PlayNext();
}

void FormPLS::LoadPlaylist() {
    const QString path = choosePlaylist();
    if (path.isEmpty())
        return;
    Clearlst();
    pullList(path);
}

void FormPLS::pullList(const QString& path) {
    if (ForeignPlaylist::Handles(path))
        PullForeign(path);
    else
        PullFromASX(path);
}
