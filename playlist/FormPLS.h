#pragma once

#include <QWidget>
#include <array>

#include "platform/PictureBox.h"

class Forms;
class QListWidget;
class QLineEdit;

// The playlist window: a rectangular window whose face is the skin frame painted from the
// playlist bitmap, with the list of entries in the middle.
class FormPLS : public QWidget {
    Q_OBJECT
  public:
    explicit FormPLS(Forms& forms);
    ~FormPLS() override;

    void Form_Load();

    // Twips geometry of the window.
    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void SetLeft(float left);
    void SetTop(float top);
    void SetSize(float width, float height);

    int Nofiles = 0;

    // Frame boxes.
    std::array<PictureBox*, 2> Bar{};
    PictureBox* LeftBar = nullptr;
    std::array<PictureBox*, 8> RightBar{};
    PictureBox* BotmBar = nullptr;
    PictureBox* Exit = nullptr;
    PictureBox* Exit2 = nullptr;
    PictureBox* ExitD = nullptr;
    PictureBox* Shade = nullptr;
    PictureBox* Shade2 = nullptr;
    PictureBox* ShadeD = nullptr;
    PictureBox* Addbtn = nullptr;
    PictureBox* Remove = nullptr;
    PictureBox* Select = nullptr;
    PictureBox* Misc = nullptr;
    PictureBox* List = nullptr;
    PictureBox* AddMen = nullptr;
    PictureBox* RemMen = nullptr;
    PictureBox* SelMen = nullptr;
    PictureBox* MisMen = nullptr;
    PictureBox* ListMen = nullptr;
    std::array<PictureBox*, 3> ButtonAdd{};
    std::array<PictureBox*, 4> ButtonRem{};
    std::array<PictureBox*, 3> ButtonSel{};
    std::array<PictureBox*, 3> ButtonMis{};
    std::array<PictureBox*, 3> ButtonLst{};
    PictureBox* AddBar = nullptr;
    PictureBox* RemBar = nullptr;
    PictureBox* SelBar = nullptr;
    PictureBox* MisBar = nullptr;
    PictureBox* ListBar = nullptr;
    PictureBox* PLEdit = nullptr;
    PictureBox* BASEPLEdit = nullptr;

    QListWidget* List2 = nullptr;
    QLineEdit* Text4 = nullptr;

  private:
    void createFrame();
    void createWorkingControls();
    PictureBox* box(QWidget* parent, float left, float top, float width, float height,
                    int index = 0);

    Forms& forms_;
};
