#pragma once

#include "app/dialogs.h"

#include <QQueue>
#include <QStringList>

// Answers the windows' dialogs from queues (an empty queue answers "cancel")
// and records every message and question.
class FakeDialogs : public tressal::app::Dialogs {
public:
    QQueue<QString> openAnswers;
    QQueue<QString> saveAnswers;
    QQueue<QString> folderAnswers;
    QQueue<bool> confirmAnswers;
    QQueue<int> conversionAnswers;

    QStringList messages; // every box, information and warning
    QStringList warnings; // the boxes with the warning icon
    QStringList details;  // under the text of each information box
    QStringList questions;
    QList<bool> noByDefaults; // of each question: Enter answers No
    QStringList shellOpened;
    bool shellOpens = true; // the desktop has a program for text files
    QString lastSaveFolder;
    QString lastProposedName;
    QString lastOpenFolder;
    QString lastOpenFilter;
    QString lastSaveFilter;
    QString lastFolderTitle;
    QList<QStringList> conversionChoices; // the captions offered, each time
    QList<int> proposedConversions;

    QString OpenFile(QWidget*, const QString& folder, const QString& filter) override {
        lastOpenFolder = folder;
        lastOpenFilter = filter;
        return openAnswers.isEmpty() ? QString() : openAnswers.dequeue();
    }
    QString SaveFile(QWidget*, const QString& folder, const QString& proposedName,
                     const QString& filter) override {
        lastSaveFolder = folder;
        lastProposedName = proposedName;
        lastSaveFilter = filter;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
    }
    QString ChooseFolder(QWidget*, const QString& title, const QString&) override {
        lastFolderTitle = title;
        return folderAnswers.isEmpty() ? QString() : folderAnswers.dequeue();
    }
    void Inform(QWidget*, const QString& text, const QString& detail) override {
        messages.append(text);
        details.append(detail);
    }
    void Warn(QWidget*, const QString& text) override {
        messages.append(text);
        warnings.append(text);
    }
    bool Confirm(QWidget*, const QString& title, const QString& text,
                 bool noByDefault = false) override {
        questions.append(title + QLatin1Char('|') + text);
        noByDefaults.append(noByDefault);
        return !confirmAnswers.isEmpty() && confirmAnswers.dequeue();
    }
    // Recorded among the questions, titled "Tressal"; the default answer is No.
    bool ConfirmRisk(QWidget* parent, const QString& text) override {
        return Confirm(parent, QStringLiteral("Tressal"), text, true);
    }
    bool ShellOpenFile(const QString& file, const QString&) override {
        shellOpened.append(file);
        return shellOpens;
    }
    void ShowPath(QWidget*, const QString& text, const QString& path) override {
        messages.append(text);
        details.append(path);
    }
    int ChooseConversion(QWidget*, const QString&,
                         const QList<tressal::app::ConversionChoice>& choices,
                         int proposed) override {
        QStringList captions;
        for (const auto& choice : choices)
            captions.append(choice.caption);
        conversionChoices.append(captions);
        proposedConversions.append(proposed);
        return conversionAnswers.isEmpty() ? -1 : conversionAnswers.dequeue();
    }
};
