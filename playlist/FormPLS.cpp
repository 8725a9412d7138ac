#include "playlist/FormPLS.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QScrollBar>
#include <algorithm>

#include "platform/Bitmap.h"
#include "platform/BrowseFolder.h"
#include "platform/MediaTypes.h"
#include "platform/PlaybackControl.h"
#include "platform/Screen.h"
#include "platform/StreamUrl.h"
#include "playlist/EntryDelegate.h"
#include "playlist/EntryListView.h"
#include "playlist/FolderScan.h"
#include "playlist/ForeignPlaylist.h"
#include "playlist/NaturalOrder.h"
#include "playlist/PlaylistFile.h"
#include "playlist/PlaylistModel.h"
#include "playlist/SkinMenu.h"
#include "playlist/SkinScrollStyle.h"
#include "skin/SkinPalette.h"
#include "skin/Sprite.h"
#include "skin/Wiring.h"
#include "skin/mdlSkin.h"

FormPLS::FormPLS(Wiring& wiring, PlaylistModel& model)
    : Form(Qt::Tool | Qt::FramelessWindowHint), wiring_(wiring), model_(model) {
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
    // window is no longer a playlist window to hear them. The model outlives the window.
    model_.disconnect(this);
    List2->disconnect(this);
    if (List2->selectionModel())
        List2->selectionModel()->disconnect(this);
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
    List2 = new EntryListView(this);
    List2->setModel(&model_);
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
    connect(List2, &QListView::clicked, this, [this] { List2_Click(); });
    connect(List2, &QListView::doubleClicked, this, [this] { List2_DblClick(); });

    Text4 = new QLineEdit(QStringLiteral("0"), this);
    place(Text4, 2940, 3440, 375, 180);
    Text4->setFrame(false);
    Text4->setReadOnly(true);
    Text4->setPalette(blackGround);
    Text4->setFont(SkinPalette::ListFont());
    Text4->setAlignment(Qt::AlignCenter);
}

int FormPLS::EntryCount() const {
    return model_.Count();
}

int FormPLS::CurrentIndex() const {
    return List2->selectedRow();
}

int FormPLS::PlayingIndex() const {
    return model_.PlayingRow();
}

void FormPLS::AppendEntry(const QString& path, const QString& name) {
    model_.Append(path, name);
}

QString FormPLS::Getfilename(const QString& path) {
    return PlaylistModel::DisplayName(path);
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
    setTotalFiles(QString::number(EntryCount()));
}

void FormPLS::startEntry(int k) {
    if (k < 0 || k >= EntryCount())
        return;  // nothing to start: ends quietly
    setText2(model_.Path(k));
    model_.SetPlayingRow(k);
    List2->setCurrentRow(k);
    List2_Click();
    wiring_.Playback().SetFileName(Text2);
    emit EntryStarted();
}

void FormPLS::PlayNext() {
    model_.SetMovingBack(false);
    if (EntryCount() == 0)
        return;
    startEntry(model_.RowAfter(CurrentIndex()));
}

void FormPLS::PlayPrev() {
    model_.SetMovingBack(true);
    startEntry(model_.RowBefore(CurrentIndex()));
}

void FormPLS::SetShuffle(bool on) {
    model_.SetShuffle(on, CurrentIndex());
}

bool FormPLS::Shuffle() const {
    return model_.Shuffle();
}

QString FormPLS::UpcomingPath() {
    return EntryCount() == 0 ? QString() : model_.Path(model_.RowAfter(CurrentIndex()));
}

void FormPLS::announceUpcomingChanges() {
    connect(&model_, &PlaylistModel::UpcomingChanged, this, &FormPLS::UpcomingChanged);
    QItemSelectionModel* selection = List2->selectionModel();
    connect(selection, &QItemSelectionModel::currentChanged, this, &FormPLS::UpcomingChanged);
    connect(selection, &QItemSelectionModel::selectionChanged, this, &FormPLS::UpcomingChanged);
}

void FormPLS::List2_DblClick() {
    model_.SetMovingBack(false);
    setText2(model_.Path(CurrentIndex()));
    if (Text2.isEmpty())
        return;
    model_.SetPlayingRow(CurrentIndex());
    wiring_.Playback().SetFileName(Text2);
    emit EntryStarted();
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
    if (MoviePath.endsWith(QStringLiteral(".slv")) || ForeignPlaylist::Handles(MoviePath)) {
        PullFromASX(MoviePath);
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
    model_.AddFolder(path);
}

void FormPLS::AddPath(const QString& path) {
    const QFileInfo info(path);
    if (StreamUrl::Is(path)) {
        AppendEntry(path, Getfilename(path));
    } else if (info.isDir()) {
        ScanFolder(path);
    } else if (path.endsWith(QStringLiteral(".slv"), Qt::CaseInsensitive) ||
               ForeignPlaylist::Handles(path)) {
        PullFromASX(path);
    } else if (MediaTypes::IsPlayable(path)) {
        AppendEntry(path, Getfilename(path));
    }
}

void FormPLS::PlaySelected() {
    List2_DblClick();
}

void FormPLS::Clearlst() {
    model_.Clear();
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
    if (const auto message = model_.Save(path))
        MessageBox(*message);
}

void FormPLS::PullFromASX(const QString& path) {
    if (const auto message = model_.Load(path))
        MessageBox(*message);
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

// A broken entry is stepped over in the direction the user was moving.
void FormPLS::EntryFailed() {
    if (const auto row = model_.RowAfterFailure(CurrentIndex()))
        startEntry(*row);
    else
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
        colours, [this] { return model_.PlayingRow(); }, List2));
    QScrollBar* bar = List2->verticalScrollBar();
    auto* style = new SkinScrollStyle(colours);
    style->setParent(bar);
    bar->setStyle(style);
}

const SkinPalette& FormPLS::Colours() const {
    return ListColours;
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
                         std::vector<PictureBox*> items, std::vector<std::function<void()>> actions,
                         const char* letters) {
        return new SkinMenu({button, strip, box, std::move(items)}, std::move(actions),
                            QLatin1String(letters));
    };
    // The letters are those of the words on the items: FILE, DIR, LIST; SEL, GONE, DUPES, ALL;
    // NOW, FIRST, LAST; NAME, PATH, FLIP; LOAD, SAVE, NEW.
    menus_[AddMenu] =
        menu(Addbtn, AddBar, AddMen, {ButtonAdd.begin(), ButtonAdd.end()},
             {[this] { Add(); }, [this] { LblAddDir_Click(); }, [this] { AddPlaylist(); }}, "FDL");
    menus_[RemoveMenu] = menu(Remove, RemBar, RemMen, {ButtonRem.begin(), ButtonRem.end()},
                              {[this] { RemoveSelected(); }, [this] { RemoveMissing(); },
                               [this] { RemoveDuplicates(); }, [this] { Clearlst(); }},
                              "SGDA");
    menus_[SelectMenu] = menu(
        Select, SelBar, SelMen, {ButtonSel.begin(), ButtonSel.end()},
        {[this] { SelectPlaying(); }, [this] { SelectFirst(); }, [this] { SelectLast(); }}, "NFL");
    menus_[MiscMenu] =
        menu(Misc, MisBar, MisMen, {ButtonMis.begin(), ButtonMis.end()},
             {[this] { SortByName(); }, [this] { SortByPath(); }, [this] { Reverse(); }}, "NPF");
    menus_[ListMenu] = menu(List, ListBar, ListMen, {ButtonLst.begin(), ButtonLst.end()},
                            {[this] { LoadPlaylist(); },
                             [this] {
                                 if (!model_.Paths().isEmpty())
                                     SaveLst();
                             },
                             [this] { NewList(); }},
                            "LSN");
}

void FormPLS::selectRow(int row) {
    List2->setCurrentRow(row);
    if (row >= 0 && row < EntryCount())
        List2->scrollTo(model_.index(row));
}

void FormPLS::applyOrder(const QList<int>& order) {
    selectRow(model_.Reorder(order, CurrentIndex()));
    List2->viewport()->update();
}

void FormPLS::RemoveSelected() {
    const int row = CurrentIndex();
    if (row < 0 || row >= model_.PairedCount())
        return;
    applyOrder(model_.OrderWithout(row));
    // The entry that took its place is selected, as a list box does after a removal.
    selectRow(std::min(row, EntryCount() - 1));
    List2_Click();  // the count follows
}

void FormPLS::RemoveMissing() {
    applyOrder(model_.OrderOfExisting());
}

void FormPLS::RemoveDuplicates() {
    applyOrder(model_.OrderWithoutDuplicates());
}

void FormPLS::SelectPlaying() {
    if (PlayingIndex() >= 0 && PlayingIndex() < EntryCount())
        selectRow(PlayingIndex());
}

void FormPLS::SelectFirst() {
    if (EntryCount() > 0)
        selectRow(0);
}

void FormPLS::SelectLast() {
    if (EntryCount() > 0)
        selectRow(EntryCount() - 1);
}

void FormPLS::SortByName() {
    applyOrder(model_.OrderByName());
}

void FormPLS::SortByPath() {
    applyOrder(model_.OrderByPath());
}

void FormPLS::Reverse() {
    applyOrder(model_.ReversedOrder());
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
    PullFromASX(path);
    if (wasEmpty)
        PlayNext();
}

void FormPLS::LoadPlaylist() {
    const QString path = choosePlaylist();
    if (path.isEmpty())
        return;
    Clearlst();
    PullFromASX(path);
}
