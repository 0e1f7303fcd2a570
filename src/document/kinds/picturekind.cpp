// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/kinds/kinds.h"

#include "document/elementtype.h"

namespace {

// A picture: the file its path or a field names, stretched over its box or fitted inside it.
class PictureKind final : public ElementType {
public:
    ElementKind kind() const override { return ElementKind::Picture; }
    QString fileKey() const override { return QStringLiteral("oggPicture"); }
    QString caption(int count) const override {
        return count == 1 ? QStringLiteral("immagine") : QStringLiteral("immagini");
    }
    QString describe(const LabelElement& e) const override {
        return QStringLiteral("l'immagine \"%1\"").arg(e.ToolTipText.left(40));
    }
    LabelElement makeTemplate() const override {
        LabelElement e;
        e.kind = kind();
        e.Width = 1935;
        e.Height = 1035;
        e.MantieniProporzioni = true; // new pictures keep their shape
        return e;
    }

    ValueKind value() const override { return ValueKind::Picture; }
    QString ownValue(const LabelElement& e) const override { return e.ToolTipText; }
    void setOwnValue(LabelElement& e, const QString& value) const override {
        e.ToolTipText = value;
    }
    ElementContent designContent(const LabelElement& e) const override { return {{}, &e.Picture}; }

    void read(ElementLinesIn& in, LabelElement& e) const override {
        e.Tag = in.trimmedText();
        e.DataMember = in.text();
        e.ToolTipText = in.text();
        e.MantieniProporzioni = false; // unless its details say so: as pictures always printed
        if (e.DataMember.isEmpty())
            e.Picture = in.picture(e.ToolTipText);
        in.depth(e);
    }
    void write(ElementLinesOut& out, const LabelElement& e) const override {
        out.text(e.Tag, "Tag");
        out.text(e.DataMember, "DataMember");
        out.text(e.ToolTipText, "ToolTipText");
        out.depth();
    }
    void writeDetails(const LabelElement& e, ElementDetails& details) const override {
        if (e.MantieniProporzioni)
            details.append({QStringLiteral("MantieniProporzioni"), QStringLiteral("1")});
    }
    void readDetail(LabelElement& e, const QString& name, QStringView value) const override {
        if (name == u"MantieniProporzioni")
            e.MantieniProporzioni = value == u"1";
    }

    void jsonFields(JsonFields& f, LabelElement& e) const override {
        f.text("Tag", e.Tag);
        f.text("DataMember", e.DataMember);
        f.text("ToolTipText", e.ToolTipText);
        f.flag("MantieniProporzioni", e.MantieniProporzioni);
        f.found("Picture", e.Picture.isNull()
                               ? QJsonValue()
                               : QJsonValue(QJsonObject{{"width", e.Picture.width()},
                                                        {"height", e.Picture.height()}}));
    }
    void copyProperties(const LabelElement& from, LabelElement& to) const override {
        to.Tag = from.Tag;
        to.DataMember = from.DataMember;
        to.ToolTipText = from.ToolTipText;
        to.MantieniProporzioni = from.MantieniProporzioni;
        // A pasted picture shows its picture at once, as opening the label would.
        to.Picture = from.Picture;
    }

    QString draw(const LabelElement& e, const ElementContent& content, const QRectF& box,
                 ElementCanvas& canvas) const override {
        if (!content.picture || content.picture->isNull())
            return {};
        QRectF area = box;
        if (e.MantieniProporzioni) {
            area.setSize(QSizeF(content.picture->size()).scaled(box.size(), Qt::KeepAspectRatio));
            area.moveCenter(box.center());
        }
        canvas.picture(*content.picture, area);
        return {};
    }
};

} // namespace

const ElementType& kinds::picture() {
    static const PictureKind kind;
    return kind;
}
