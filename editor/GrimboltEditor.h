// The amp's panel: eight film-strip knobs, the channel selector (two arrow buttons around
// the channel's name) and the cabinet-bypass button on a 380 x 110 background. Edits in the
// panel go to the effect as automation; parameter changes from the effect come back through
// setParameter, from whatever thread the host used, and reach the controls on the window's
// thread at the start of the next idle.
#pragma once

#include "editor/PendingControlValues.h"
#include "gui/CControlListener.h"
#include "plugin/AEffGUIEditor.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

class CAnimKnob;
class CImage;
class CKickButton;
class COnOffButton;
class CTextLabel;

class GrimboltEditor : public AEffGUIEditor, public CControlListener {
public:
    // Channel-selector tags; they step parameter 9.
    static constexpr int32_t kTagChannelDown = 12;
    static constexpr int32_t kTagChannelUp = 13;

    explicit GrimboltEditor(AudioEffect* effect);
    // Closes the panel if the host left it open.
    ~GrimboltEditor() override;

    // Builds the panel in window and shows the effect's current values; 0 for a null window
    // or one the system could not make a child in.
    int32_t open(void* window) override;
    void close() override;
    // Applies what setParameter left pending, then redraws what changed.
    void idle() override;
    // From any thread: a wait-free, allocation-free hand-over to the window's thread.
    void setParameter(int32_t tag, float value) override;
    // Gestures on the channel buttons are gestures on the channel parameter.
    bool beginEdit(int32_t tag) override;
    bool endEdit(int32_t tag) override;

    void valueChanged(CGraphics* context, CControl* control) override;

    // Copies the panel as it shows the effect's values into pixels (width x height,
    // 0xAARRGGBB, top row first): the open panel brought up to date, or a closed one drawn
    // without a window. False unless pixels holds at least the panel.
    bool snapshot(uint32_t* pixels, size_t capacity, int32_t& width, int32_t& height);

    // 1 clean, 2 crunch, 3 ultra, as the panel shows it.
    int32_t getCurrentChannel() const { return currentChannel_; }
    CControl* controlForTag(int32_t tag) const;
    const char* channelText() const;

private:
    // The frame (a child window of window, or windowless for a null one) with its controls,
    // showing the effect's values; false when window is not null and the system could not
    // make a child in it.
    bool buildPanel(void* window);
    void buildControls(CFrame* frame);
    bool drawPanel(uint32_t* pixels, size_t capacity, int32_t& width, int32_t& height);
    void synchronise();
    void applyPending();
    void showValue(int32_t tag, float value);
    void showChannel(int32_t channel);
    void stepChannel(int32_t step, bool& armed);

    std::atomic<int32_t> isOpen_{0};  // 1 from open's synchronisation until close
    PendingControlValues pending_;
    CAnimKnob* knobs_[8] = {};  // by parameter index 0..7
    COnOffButton* bypassCabButton_ = nullptr;
    CKickButton* channelUpButton_ = nullptr;
    CKickButton* channelDownButton_ = nullptr;
    CTextLabel* channelLabel_ = nullptr;
    CImage* background_;
    int32_t currentChannel_ = 1;
    bool downArmed_ = true;
    bool upArmed_ = true;
};
