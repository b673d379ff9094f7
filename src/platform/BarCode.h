#pragma once

#include "BarCodePicture.h"

#include <QWidget>

// The barcode component: a control that shows the barcode of its DataToEncode text, redrawn at
// once on every change. It never fails: a text it cannot encode shows the empty picture.
class BarCode : public QWidget {
    Q_OBJECT
public:
    explicit BarCode(QWidget* parent = nullptr);

    QString DataToEncode() const { return data_; }
    void setDataToEncode(const QString& text);
    // The barcode in its current state.
    const BarCodePicture& Picture() const { return picture_; }
    // Writes the picture as a Windows metafile; false when the file cannot be written.
    bool SaveToFile(const QString& fileName) const;

    QSize sizeHint() const override;

signals:
    // After each new text, once the picture is redrawn.
    void redrawn();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString data_;
    BarCodePicture picture_;
};
