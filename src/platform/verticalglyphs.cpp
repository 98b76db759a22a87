#include "platform/verticalglyphs.h"

#include <QHash>
#include <hb.h>
#include <memory>

namespace VerticalGlyphs {

namespace {

// One face as HarfBuzz sees it, made from the tables of a QRawFont.
class ShapingFace {
public:
    explicit ShapingFace(const QRawFont &font) : raw(font)
    {
        face = hb_face_create_for_tables(&ShapingFace::table, this, nullptr);
        hb_face_set_upem(face, unsigned(raw.unitsPerEm()));
        hbFont = hb_font_create(face);
        hb_feature_from_string("vert", -1, &features[0]);
        hb_feature_from_string("vrt2", -1, &features[1]);
    }
    ~ShapingFace()
    {
        hb_font_destroy(hbFont);
        hb_face_destroy(face);
    }
    ShapingFace(const ShapingFace &) = delete;
    ShapingFace &operator=(const ShapingFace &) = delete;

    Glyphs glyphsOf(const QString &character)
    {
        const auto known = cache.constFind(character);
        if (known != cache.constEnd())
            return *known;
        Glyphs g;
        const QList<quint32> horizontal = raw.glyphIndexesForString(character);
        g.Horizontal = horizontal.isEmpty() ? 0 : horizontal.first();
        g.Vertical = g.Horizontal;
        hb_buffer_t *buffer = hb_buffer_create();
        hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t *>(character.utf16()),
                            int(character.size()), 0, int(character.size()));
        hb_buffer_set_direction(buffer, HB_DIRECTION_TTB);
        hb_buffer_set_script(buffer, HB_SCRIPT_HAN);
        hb_buffer_set_language(buffer, hb_language_from_string("ja", -1));
        hb_shape(hbFont, buffer, features, 2);
        unsigned count = 0;
        const hb_glyph_info_t *info = hb_buffer_get_glyph_infos(buffer, &count);
        // A character the font lacks keeps glyph 0 (.notdef) either way.
        if (count == 1 && info[0].codepoint != 0 && g.Horizontal != 0)
            g.Vertical = info[0].codepoint;
        hb_buffer_destroy(buffer);
        cache.insert(character, g);
        return g;
    }

private:
    static hb_blob_t *table(hb_face_t *, hb_tag_t tag, void *user)
    {
        const auto *self = static_cast<ShapingFace *>(user);
        const char name[5] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag), 0};
        auto *data = new QByteArray(self->raw.fontTable(name));
        if (data->isEmpty()) {
            delete data;
            return nullptr;
        }
        return hb_blob_create(data->constData(), unsigned(data->size()), HB_MEMORY_MODE_READONLY, data,
                              [](void *p) { delete static_cast<QByteArray *>(p); });
    }

    QRawFont raw;
    hb_face_t *face = nullptr;
    hb_font_t *hbFont = nullptr;
    hb_feature_t features[2]{};
    QHash<QString, Glyphs> cache;
};

// A face is known by its family and style: the glyph indexes do not
// depend on the size.
QString faceKey(const QRawFont &font)
{
    return font.familyName() + QLatin1Char('\n') + font.styleName() + QLatin1Char('\n')
        + QString::number(int(font.weight())) + QLatin1Char('\n') + QString::number(int(font.style()));
}

} // namespace

Glyphs of(const QRawFont &font, const QString &character)
{
    if (!font.isValid() || character.isEmpty())
        return {};
    static QHash<QString, std::shared_ptr<ShapingFace>> faces;
    std::shared_ptr<ShapingFace> &face = faces[faceKey(font)];
    if (!face)
        face = std::make_shared<ShapingFace>(font);
    return face->glyphsOf(character);
}

} // namespace VerticalGlyphs
