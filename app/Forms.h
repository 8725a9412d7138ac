#pragma once

#include <memory>

class frmMain;
class FormPLS;
class Form1;

// Hands out the three windows. Each is created on first reference and runs its load handler
// then, hidden; unloading destroys it, and a later reference creates it afresh.
class Forms {
  public:
    Forms();
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    frmMain& Main();
    FormPLS& Playlist();

    bool MainExists() const { return main_ != nullptr; }
    bool PlaylistExists() const { return playlist_ != nullptr; }

    void UnloadMain();
    void UnloadPlaylist();

  private:
    std::unique_ptr<frmMain> main_;
    std::unique_ptr<FormPLS> playlist_;
};
