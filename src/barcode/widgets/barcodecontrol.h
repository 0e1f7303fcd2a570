// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QWidget>

#include <vector>

class PropertyBag;

// A self-contained widget that shows a barcode across its whole area: the text `barcode` in
// the symbology `TipoBarcode` (0 EAN, 1 Code 39; note the coding is the opposite of a barcode
// element's Tag). It wraps one inner picture box, picBarcode, whose colours, font and drawing
// calls it passes through; lengths are twips.
class BarcodeControl : public QWidget {
    Q_OBJECT

public:
    // TipoBarcode: 0 EAN, 1 Code 39; 2 to 9 the symbologies of zintsymbol (Code 128 ... GS1
    // DataMatrix), numbered as in the barcode parameters' list.
    enum { Ean = 0, Code39 = 1 };

    explicit BarcodeControl(QWidget* parent = nullptr);
    ~BarcodeControl() override;

    QString barcode() const { return m_barcode; }
    // Stores the text and redraws.
    void setBarcode(const QString& text);
    qint16 TipoBarcode() const { return m_tipoBarcode; }
    // Stores the symbology; the bars change at the next paint, resize or text change.
    void setTipoBarcode(qint16 tipo);
    QString Testo() const { return m_testo; }
    void setTesto(const QString& testo);

    // Passed through to picBarcode.
    qint32 BackColor() const;
    void setBackColor(qint32 colour);
    qint32 ForeColor() const;
    void setForeColor(qint32 colour);
    bool Enabled() const;
    void setEnabled(bool enabled);
    QFont Font() const;
    void setFont(const QFont& font);
    qint16 BorderStyle() const;
    void setBorderStyle(qint16 style); // 0 none, 1 fixed single
    bool AutoRedraw() const;
    void setAutoRedraw(bool autoRedraw);
    float CurrentX() const;
    void setCurrentX(float x);
    float CurrentY() const;
    void setCurrentY(float y);
    bool FontBold() const { return Font().bold(); }
    void setFontBold(bool bold);
    bool FontItalic() const { return Font().italic(); }
    void setFontItalic(bool italic);
    QString FontName() const { return Font().family(); }
    void setFontName(const QString& name);
    float FontSize() const { return float(Font().pointSizeF()); }
    void setFontSize(float size);
    bool FontStrikethru() const { return Font().strikeOut(); }
    void setFontStrikethru(bool strikethru);
    bool FontTransparent() const;
    void setFontTransparent(bool transparent);
    bool FontUnderline() const { return Font().underline(); }
    void setFontUnderline(bool underline);

    void Refresh();
    // Draws a line, or with "B" a box, with "BF" a filled box, in twips.
    void Line(const QString& flags, float x1, float y1, float x2, float y2, qint32 colour);
    float TextHeight(const QString& text) const;
    float TextWidth(const QString& text) const;

    // Draws the bars of the current text and symbology over the whole picture.
    void DrawBarcode(QPainter& painter) const;

    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    QWidget* picBarcode() const;

signals:
    // A stored property changed (the name as in the property store).
    void PropertyChanged(const QString& name);

    void Click();
    void DblClick();
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void KeyUp(int keyCode, int shift);
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void Resize();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class PictureBox;
    PictureBox* m_picture;
    QString m_barcode = QStringLiteral("000000");
    qint16 m_tipoBarcode = Code39;
    QString m_testo;
};
