#include "app/Toggles.h"

#include <QCursor>
#include <QMenu>

#include "app/Controller.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/BrowseFolder.h"
#include "skin/Sprite.h"
#include "skin/mdlSkin.h"

void Toggles::imgMenu_MouseDown(int index, MouseArgs) {
    mdlSkin::DrawSprite(main_.forms(), Sprite::TitleBar, index + 4, Sprite::Pressed);
}

void Toggles::imgMenu_MouseUp(int index, MouseArgs) {
    Forms& forms = main_.forms();
    mdlSkin::DrawSprite(forms, Sprite::TitleBar, index + 4, Sprite::Released);
    switch (index) {
        case 0:
            main_.mnuFile->popup(QCursor::pos());
            break;
        case 1:
            if (main_.windowState() == Qt::WindowNoState) {
                main_.showMinimized();
                main_.operations().HideCompanions();
            }
            break;
        case 2:
            main_.Unload();
            return;
        case 3:
            main_.operations().ToggleVideo();
            break;
        default:
            break;
    }
    main_.imgMove->update();
}

void Toggles::imgSufRep_MouseDown(int index, MouseArgs) {
    const bool lastShowed = main_.imgSufRep[index]->Tag() == QLatin1String("0");
    mdlSkin::DrawSprite(main_.forms(), Sprite::Toggle, index + 1,
                        lastShowed ? Sprite::OffPressed : Sprite::OnPressed);
}

void Toggles::imgSufRep_MouseUp(int index, MouseArgs) {
    ImageControl* toggle = main_.imgSufRep[index];
    Forms& forms = main_.forms();
    Controller& operations = main_.operations();
    // Tag "0": the window was last shown by this toggle, or its mode is on (the modes' tags
    // are set by ShowModes as the controller announces the change).
    if (index == 0) {
        operations.SetRepeat(!operations.Repeat());
    } else if (index == 1) {
        operations.SetShuffle(!operations.Shuffle());
    } else if (index == 2) {
        const bool shown = operations.ToggleVideo();
        toggle->SetTag(shown ? QStringLiteral("0") : QStringLiteral("1"));
    } else if (index == 3) {
        const bool shown = operations.TogglePlaylist();
        toggle->SetTag(shown ? QStringLiteral("0") : QStringLiteral("1"));
    }
    mdlSkin::DrawSprite(forms, Sprite::Toggle, index + 1, Sprite::OnReleased);
    if (toggle->Tag() == QLatin1String("1"))
        mdlSkin::DrawSprite(forms, Sprite::Toggle, index + 1, Sprite::OffReleased);
}

void Toggles::ShowModes(bool repeat, bool shuffle) {
    showMode(0, repeat);
    showMode(1, shuffle);
}

void Toggles::RedrawModes(bool repeat, bool shuffle) {
    Forms& forms = main_.forms();
    mdlSkin::DrawSprite(forms, Sprite::Toggle, 1,
                        repeat ? Sprite::OnReleased : Sprite::OffReleased);
    mdlSkin::DrawSprite(forms, Sprite::Toggle, 2,
                        shuffle ? Sprite::OnReleased : Sprite::OffReleased);
}

void Toggles::showMode(int index, bool on) {
    ImageControl* toggle = main_.imgSufRep[index];
    const QString tag = on ? QStringLiteral("0") : QStringLiteral("1");
    if (toggle->Tag() == tag)
        return;
    toggle->SetTag(tag);
    mdlSkin::DrawSprite(main_.forms(), Sprite::Toggle, index + 1,
                        on ? Sprite::OnReleased : Sprite::OffReleased);
}

void Toggles::imgAmp_Click() {
    main_.operations().TogglePlaylist();
}

void Toggles::mnuSkin_Click() {
    const QString folder = modBrowseFolder::BrowseFolder(&main_);
    // A cancelled browser changes nothing: no skin is looked for at the file-system root.
    if (folder.isEmpty())
        return;
    mdlSkin::LoadSkin(main_.forms(), folder);
}

// The close request unloads the companions; unloading them here too would do it twice.
void Toggles::mnuExit_Click() {
    main_.Unload();
}
