#pragma once

#include "render/Canvas.h"

#include <QString>
#include <memory>
#include <vector>

namespace pexor {

class TGradientCaption;
class TCaptionList;

// One separately styled piece of a gradient caption, drawn before the form
// caption.
class TCaptionPiece {
public:
    explicit TCaptionPiece(TCaptionList &list);

    const QString &Caption() const { return caption_; }
    void SetCaption(const QString &value);
    // Its own font; setting it stops the piece following the caption's font.
    const TFont &Font() const { return font_; }
    void SetFont(const TFont &value);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    // Text colour while the form is inactive.
    TColor InactiveColor() const { return inactiveColor_; }
    void SetInactiveColor(TColor value);
    // The piece stays or goes together with the next one.
    bool GlueNext() const { return glueNext_; }
    void SetGlueNext(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    // The defaults an assignment starts from.
    void Reset();
    // Copies another piece's settings inside one update of the list.
    void Assign(const TCaptionPiece &source);

    int Index() const;
    TCaptionList &Collection() { return list_; }
    const TCaptionList &Collection() const { return list_; }

private:
    friend class TCaptionList;
    void Changed();
    // Takes the caption's font without giving up ParentFont.
    void FollowParentFont(const TFont &font);

    TCaptionList &list_;
    QString caption_;
    TFont font_;
    bool parentFont_ = true;
    TColor inactiveColor_ = clInactiveCaptionText;
    bool glueNext_ = false;
    bool visible_ = true;
};

// The pieces of a gradient caption; any change repaints the caption.
class TCaptionList {
public:
    explicit TCaptionList(TGradientCaption &caption);
    TCaptionList(const TCaptionList &) = delete;
    TCaptionList &operator=(const TCaptionList &) = delete;
    ~TCaptionList();

    TGradientCaption &GradientCaption() { return caption_; }
    const TGradientCaption &GradientCaption() const { return caption_; }

    int Count() const { return int(items_.size()); }
    TCaptionPiece &Items(int index);
    const TCaptionPiece &Items(int index) const;
    TCaptionPiece &Add();
    void Delete(int index);
    void Clear();
    // Replaces the pieces by copies of another list's.
    void Assign(const TCaptionList &source);

    // Changes between the two calls repaint once, at the end.
    void BeginUpdate();
    void EndUpdate();

    // Gives the caption's font to every piece that follows it.
    void ApplyParentFont(const TFont &font);

private:
    friend class TCaptionPiece;
    void Changed();

    TGradientCaption &caption_;
    std::vector<std::unique_ptr<TCaptionPiece>> items_;
    int updateCount_ = 0;
    bool changedDuringUpdate_ = false;
};

} // namespace pexor
