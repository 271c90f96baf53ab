#pragma once

#include <QObject>
#include <QString>

// The media player control: assigning a file name loads and starts it.
// Volume is in hundredths of a decibel (0 = full, -3600 quietest used).
class MediaPlayer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void setFileName(const QString &path) = 0;
    virtual QString fileName() const = 0;
    virtual void setVolume(int hundredthsOfDecibel) = 0;
    virtual int volume() const = 0;
    virtual void stop() = 0;

signals:
    void endOfStream();  // once, when a song has played to its end
};
