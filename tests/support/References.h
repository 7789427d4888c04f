// What a user sees of a window, held against references kept under tests/references: a picture of
// it, and a readable description of what a picture cannot show (titles, tooltips, fonts, states).
//
// On a mismatch the test fails naming the state, and what it got is written beside the test
// program, in reference-mismatches/: the picture and a picture of its differences, or the
// description. With TRIVELAS_UPDATE_REFERENCES=1 the references are written afresh instead
// (scripts/update-references.sh); look at them against the layout before committing them.
#pragma once

#include <QImage>
#include <QString>

class QWidget;

// The window as it paints itself, menu bar included.
QImage pictureOf(QWidget* window);

// One line a control, indented by containment: name, kind, place (pixels, in its container), text,
// tooltip, font, text colour and state; a menu bar's entries and items; a window's title and
// pointer. Dialogs are described without places, and the program's folder reads <pasta do programa>.
QString describe(const QWidget* widget);

// Empty when the picture or the description matches the reference of that state, else why not.
// A picture may be kept as its differences from the picture of a base state.
QString referenceMismatch(const QImage& got, const QString& state, const QString& base = {});
QString referenceMismatch(const QString& description, const QString& state);

// The reference picture of a state.
QImage referencePicture(const QString& state, const QString& base = {});

// Both, for a window in the state named.
QString referenceMismatch(QWidget* window, const QString& state, const QString& base = {});

#define CHECK_REFERENCE(...)                                                                       \
    do {                                                                                           \
        const QString mismatch_ = referenceMismatch(__VA_ARGS__);                                  \
        QVERIFY2(mismatch_.isEmpty(), qPrintable(mismatch_));                                      \
    } while (false)
