#include "controls/CaptionList.h"

#include "controls/GradCaption.h"
#include "platform/Exceptions.h"

#include <utility>

namespace pexor {

TCaptionPiece::TCaptionPiece(TCaptionList &list) : list_(list) {
    font_ = list.GradientCaption().Font();
}

void TCaptionPiece::Changed() {
    list_.Changed();
}

void TCaptionPiece::SetCaption(const QString &value) {
    if (caption_ == value)
        return;
    caption_ = value;
    Changed();
}

void TCaptionPiece::SetFont(const TFont &value) {
    if (font_ == value && !parentFont_)
        return;
    font_ = value;
    parentFont_ = false;
    Changed();
}

void TCaptionPiece::FollowParentFont(const TFont &font) {
    font_ = font;
}

void TCaptionPiece::SetParentFont(bool value) {
    if (parentFont_ == value)
        return;
    parentFont_ = value;
    if (value)
        FollowParentFont(list_.GradientCaption().Font());
    Changed();
}

void TCaptionPiece::SetInactiveColor(TColor value) {
    if (inactiveColor_ == value)
        return;
    inactiveColor_ = value;
    Changed();
}

void TCaptionPiece::SetGlueNext(bool value) {
    if (glueNext_ == value)
        return;
    glueNext_ = value;
    Changed();
}

void TCaptionPiece::SetVisible(bool value) {
    if (visible_ == value)
        return;
    visible_ = value;
    Changed();
}

void TCaptionPiece::Reset() {
    list_.BeginUpdate();
    SetInactiveColor(clInactiveCaptionText);
    SetVisible(true);
    SetParentFont(true);
    list_.EndUpdate();
}

void TCaptionPiece::Assign(const TCaptionPiece &source) {
    if (&source == this)
        return;
    list_.BeginUpdate();
    Reset();
    SetCaption(source.caption_);
    SetParentFont(source.parentFont_);
    if (!source.parentFont_)
        SetFont(source.font_);
    SetInactiveColor(source.inactiveColor_);
    SetGlueNext(source.glueNext_);
    SetVisible(source.visible_);
    list_.EndUpdate();
}

int TCaptionPiece::Index() const {
    for (int i = 0; i < list_.Count(); ++i)
        if (&list_.Items(i) == this)
            return i;
    return -1;
}

TCaptionList::TCaptionList(TGradientCaption &caption) : caption_(caption) {}

TCaptionList::~TCaptionList() = default;

TCaptionPiece &TCaptionList::Items(int index) {
    return const_cast<TCaptionPiece &>(std::as_const(*this).Items(index));
}

const TCaptionPiece &TCaptionList::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("Indice de liste hors limites (%1)").arg(index));
    return *items_[std::size_t(index)];
}

TCaptionPiece &TCaptionList::Add() {
    items_.push_back(std::make_unique<TCaptionPiece>(*this));
    Changed();
    return *items_.back();
}

void TCaptionList::Delete(int index) {
    Items(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TCaptionList::Clear() {
    if (items_.empty())
        return;
    items_.clear();
    Changed();
}

void TCaptionList::Assign(const TCaptionList &source) {
    if (&source == this)
        return;
    BeginUpdate();
    items_.clear();
    for (const auto &piece : source.items_)
        Add().Assign(*piece);
    changedDuringUpdate_ = true;
    EndUpdate();
}

void TCaptionList::BeginUpdate() {
    ++updateCount_;
}

void TCaptionList::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && changedDuringUpdate_) {
        changedDuringUpdate_ = false;
        Changed();
    }
}

void TCaptionList::ApplyParentFont(const TFont &font) {
    BeginUpdate();
    for (const auto &piece : items_)
        if (piece->ParentFont())
            piece->FollowParentFont(font);
    // The form caption's font changed too: repaint in any case.
    changedDuringUpdate_ = true;
    EndUpdate();
}

void TCaptionList::Changed() {
    if (updateCount_ > 0) {
        changedDuringUpdate_ = true;
        return;
    }
    caption_.CaptionsChanged();
}

} // namespace pexor
