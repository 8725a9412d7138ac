#include "app/Toggles.h"

#include <QCursor>
#include <QMenu>

#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/BrowseFolder.h"
#include "playlist/FormPLS.h"
#include "skin/mdlSkin.h"
#include "video/Form1.h"

namespace {
constexpr float kPlaylistDockOffset = 1710.0f;
}

void Toggles::imgMenu_MouseDown(int index, MouseArgs) {
    mdlSkin::DrawSprite(main_.forms(), 2, index + 4, 1);
}

void Toggles::imgMenu_MouseUp(int index, MouseArgs) {
    Forms& forms = main_.forms();
    mdlSkin::DrawSprite(forms, 2, index + 4, 0);
    switch (index) {
        case 0:
            main_.mnuFile->popup(QCursor::pos());
            break;
        case 1:
            if (main_.windowState() == Qt::WindowNoState) {
                main_.showMinimized();
                forms.Video().hide();
                forms.Playlist().hide();
            }
            break;
        case 2:
            main_.Unload();
            return;
        case 3:
            toggleVideo();
            break;
        default:
            break;
    }
    main_.imgMove->update();
}

void Toggles::toggleVideo() {
    Form1& video = main_.forms().Video();
    if (video.isVisible()) {
        video.hide();
    } else {
        video.ShowDocked();
    }
}

void Toggles::showPlaylistDocked() {
    FormPLS& playlist = main_.forms().Playlist();
    playlist.SetTop(main_.Top() + kPlaylistDockOffset);
    playlist.SetLeft(main_.Left());
    playlist.show();
}

void Toggles::imgSufRep_MouseDown(int index, MouseArgs) {
    const bool lastShowed = main_.imgSufRep[index]->Tag() == QLatin1String("0");
    mdlSkin::DrawSprite(main_.forms(), 3, index + 1, lastShowed ? 1 : 3);
}

void Toggles::imgSufRep_MouseUp(int index, MouseArgs) {
    ImageControl* toggle = main_.imgSufRep[index];
    Forms& forms = main_.forms();
    if (index == 2) {
        Form1& video = forms.Video();
        if (video.isVisible()) {
            toggle->SetTag(QStringLiteral("1"));
            video.hide();
        } else {
            video.ShowDocked();
            toggle->SetTag(QStringLiteral("0"));
        }
    } else if (index == 3) {
        FormPLS& playlist = forms.Playlist();
        if (playlist.isVisible()) {
            toggle->SetTag(QStringLiteral("1"));
            playlist.hide();
        } else {
            showPlaylistDocked();
            toggle->SetTag(QStringLiteral("0"));
        }
    }
    mdlSkin::DrawSprite(forms, 3, index + 1, 2);
    if (toggle->Tag() == QLatin1String("1"))
        mdlSkin::DrawSprite(forms, 3, index + 1, 0);
}

void Toggles::imgAmp_Click() {
    FormPLS& playlist = main_.forms().Playlist();
    if (playlist.isVisible()) {
        playlist.hide();
    } else {
        showPlaylistDocked();
    }
}

void Toggles::mnuSkin_Click() {
    const QString folder = modBrowseFolder::BrowseFolder(&main_);
    // A cancelled browser changes nothing: no skin is looked for at the file-system root.
    if (folder.isEmpty())
        return;
    mdlSkin::LoadSkin(main_.forms(), folder);
}

void Toggles::mnuExit_Click() {
    Forms& forms = main_.forms();
    forms.UnloadVideo();
    forms.UnloadPlaylist();
    main_.Unload();
}
