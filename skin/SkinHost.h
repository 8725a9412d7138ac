#pragma once

class MainFace;
class PlaylistFace;

// Where the skin engine finds the windows it draws on. Each is created on first reference.
class SkinHost {
  public:
    virtual ~SkinHost() = default;
    virtual MainFace& SkinMain() = 0;
    virtual PlaylistFace& SkinPlaylist() = 0;
};
