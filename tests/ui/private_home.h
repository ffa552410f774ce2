#pragma once

#include <QTemporaryDir>
#include <QtGlobal>

// Folders of its own for what the design window keeps between runs (the recent designs, the
// recovery copies), so that a test neither reads nor leaves the user's, nor another run's. Make
// one before the first window.
class PrivateHome {
  public:
    PrivateHome() {
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    }

  private:
    QTemporaryDir m_home;
};
