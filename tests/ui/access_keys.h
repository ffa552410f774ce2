#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMultiMap>
#include <QStringList>
#include <QTabBar>

// The access keys of a window: the letter after a single '&' of a label with a buddy, a button,
// a tab, a group box or a menu of the menu bar, hidden controls included. Each clash is the
// captions that share a key.
struct AccessKeys {
    QMultiMap<QChar, QString> keys;

    explicit AccessKeys(const QWidget* window) {
        for (const auto* label : window->findChildren<QLabel*>())
            if (label->buddy())
                Add(label->text());
        for (const auto* button : window->findChildren<QAbstractButton*>())
            Add(button->text());
        for (const auto* group : window->findChildren<QGroupBox*>())
            Add(group->title());
        for (const auto* tabs : window->findChildren<QTabBar*>())
            for (int i = 0; i < tabs->count(); ++i)
                Add(tabs->tabText(i));
        for (const auto* bar : window->findChildren<QMenuBar*>())
            for (const QAction* menu : bar->actions())
                Add(menu->text());
    }

    QStringList Clashes() const {
        QStringList clashes;
        for (const QChar key : keys.uniqueKeys())
            if (keys.count(key) > 1)
                clashes << QStringList(keys.values(key)).join(" / ");
        return clashes;
    }

  private:
    void Add(const QString& caption) {
        const int mark = QString(caption).replace("&&", "__").indexOf('&');
        if (mark >= 0 && mark + 1 < caption.size())
            keys.insert(caption[mark + 1].toLower(), caption);
    }
};
