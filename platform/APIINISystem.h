#pragma once

#include <QString>

// Reads private-profile settings files ([section] and key=value lines). It keeps no cache:
// every read goes to the file. It never writes.
class APIINISystem {
  public:
    // INIFile := folder and file name joined with one separator.
    void INI_Create(const QString& strDrv, const QString& strDir);

    // The value of the key, cut to 99 characters, or the default when the file, the section
    // or the key is missing.
    QString INI_Read(const QString& strSection, const QString& strKey,
                     const QString& strDefault) const;

    QString INIFile() const { return iniFile_; }
    void SetINIFile(const QString& newIniPath) { iniFile_ = newIniPath; }

    // Drops the folder's trailing and the file name's leading separators, then joins them
    // with one "/".
    static QString JoinPath(const QString& folder, const QString& fileName);

    static constexpr int kMaxValueLength = 99;

  private:
    QString iniFile_;
};
