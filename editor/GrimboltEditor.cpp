#include "editor/GrimboltEditor.h"

#include "editor/PanelLayout.h"
#include "gui/CAnimKnob.h"
#include "gui/CBackBuffer.h"
#include "gui/CFontTable.h"
#include "gui/CFrame.h"
#include "gui/CImage.h"
#include "gui/CKickButton.h"
#include "gui/CKnob.h"
#include "gui/COnOffButton.h"
#include "gui/CTextLabel.h"
#include "plugin/AudioEffect.h"
#include "plugin/ParameterFormat.h"
#include "plugin/Parameters.h"
#include "resources/PanelImageIds.h"

#include <iterator>

namespace {

constexpr int32_t kChannelSlot = kChannelTagBase;  // the pending slot of tags 9, 10 and 11
constexpr int32_t kNumChannels = static_cast<int32_t>(std::size(kChannelNames));
const CRgba kLabelColour{253, 255, 115, 255};

// What the tone knobs edit, in the order of kToneKnobOrigins.
constexpr int32_t kToneKnobParameters[] = {kVoicing, kDrive, kBass, kMid, kTreble, kPresence, kMaster};
static_assert(std::size(kToneKnobParameters) == std::size(kToneKnobOrigins));

CPos toPos(PanelPoint point)
{
    return CPos(point.x, point.y);
}

CBox toBox(PanelRect rect)
{
    return CBox(rect.left, rect.top, rect.right, rect.bottom);
}

// A control's rectangle: its fixed origin, the size of one frame of its image.
CBox frameBox(CPos origin, const CImage& image, int32_t frames)
{
    return CBox(origin.h, origin.v, origin.h + image.getWidth(), origin.v + image.getHeight() / frames);
}

CAnimKnob* makeKnob(CPos origin, CImage* strip, int32_t tag, CControlListener* listener)
{
    const int32_t frameHeight = strip->getHeight() / kKnobFrames;
    auto* knob = new CAnimKnob(
        frameBox(origin, *strip, kKnobFrames), listener, tag, kKnobFrames, frameHeight, strip);
    knob->setHandleInset(0);
    return knob;
}

CKickButton* makeKickButton(CPos origin, int32_t imageId, int32_t tag, CControlListener* listener)
{
    auto* image = new CImage(imageId);
    const CBox box = frameBox(origin, *image, kButtonFrames);
    auto* button = new CKickButton(box, listener, tag, box.height(), image);
    image->release();
    return button;
}

// The parameter a control tag edits: the channel buttons step the channel.
int32_t parameterOfTag(int32_t tag)
{
    return tag == GrimboltEditor::kTagChannelDown || tag == GrimboltEditor::kTagChannelUp ? kChannel : tag;
}

}  // namespace

GrimboltEditor::GrimboltEditor(AudioEffect* effect)
    : AEffGUIEditor(effect)
    , background_(new CImage(kBackgroundImage))
{
    rect_ = {
        0, 0, static_cast<int16_t>(background_->getHeight()), static_cast<int16_t>(background_->getWidth())};
}

GrimboltEditor::~GrimboltEditor()
{
    if (frame_)
        close();
    background_->release();
}

int32_t GrimboltEditor::open(void* window)
{
    if (frame_)
        close();
    AEffGUIEditor::open(window);
    if (!window || !buildPanel(window))
        return 0;
    setKnobMode(kLinearKnobMode);
    return 1;
}

bool GrimboltEditor::buildPanel(void* window)
{
    auto* frame = new CFrame(CBox(0, 0, background_->getWidth(), background_->getHeight()), window, this);
    if (window && !frame->getPlatformWindow()) {
        frame->release();
        return false;
    }
    frame_ = frame;
    frame->setBackground(background_);
    buildControls(frame);
    synchronise();
    return true;
}

void GrimboltEditor::buildControls(CFrame* frame)
{
    auto* inputStrip = new CImage(kInputKnobImage);
    knobs_[kInputGain] = makeKnob(toPos(kInputKnobOrigin), inputStrip, kInputGain, this);
    frame->addView(knobs_[kInputGain]);
    inputStrip->release();

    auto* toneStrip = new CImage(kToneKnobImage);
    for (size_t i = 0; i < std::size(kToneKnobParameters); ++i) {
        const int32_t parameter = kToneKnobParameters[i];
        knobs_[parameter] = makeKnob(toPos(kToneKnobOrigins[i]), toneStrip, parameter, this);
        frame->addView(knobs_[parameter]);
    }
    toneStrip->release();

    channelLabel_ = new CTextLabel(toBox(kChannelLabelBox));
    channelLabel_->setFontFace(CFontTable::kItalicFace);
    channelLabel_->setFontColor(kLabelColour);
    channelLabel_->setText(kChannelNames[0]);
    frame->addView(channelLabel_);

    channelDownButton_ = makeKickButton(toPos(kChannelDownOrigin), kChannelDownImage, kTagChannelDown, this);
    frame->addView(channelDownButton_);
    channelUpButton_ = makeKickButton(toPos(kChannelUpOrigin), kChannelUpImage, kTagChannelUp, this);
    frame->addView(channelUpButton_);

    auto* lamp = new CImage(kBypassButtonImage);
    bypassCabButton_ = new COnOffButton(frameBox(toPos(kBypassButtonOrigin), *lamp, kButtonFrames), this,
        kBypassCabinet, lamp, COnOffButton::kReportAfterRedraw);
    lamp->release();
    frame->addView(bypassCabButton_);
}

// Opens the door for setParameter, then reads what the effect holds. Both sides change or
// read isOpen_ with a read-modify-write, so one comes after the other: a change the host makes
// meanwhile is either read here or posted, and the next idle applies what was posted.
void GrimboltEditor::synchronise()
{
    pending_.clear();
    isOpen_.exchange(1, std::memory_order_acq_rel);
    for (int32_t parameter = kMaster; parameter <= kBypassCabinet; ++parameter)
        showValue(parameter, effect_->getParameter(parameter));
    showChannel(channelFromValue(effect_->getParameter(kChannel)));
}

void GrimboltEditor::close()
{
    isOpen_.store(0, std::memory_order_release);
    if (!frame_)
        return;
    frame_->release();
    frame_ = nullptr;
    for (CAnimKnob*& knob : knobs_)
        knob = nullptr;
    bypassCabButton_ = nullptr;
    channelUpButton_ = nullptr;
    channelDownButton_ = nullptr;
    channelLabel_ = nullptr;
}

void GrimboltEditor::idle()
{
    if (inIdle_)
        return;
    applyPending();
    AEffGUIEditor::idle();
}

void GrimboltEditor::setParameter(int32_t tag, float value)
{
    // The effect stored the value before calling; see synchronise.
    if (isOpen_.fetch_add(0, std::memory_order_acq_rel) == 0)
        return;
    if (tag >= kChannelTagBase && tag < kChannelTagBase + kNumChannels)
        pending_.post(kChannelSlot, static_cast<float>(tag - kChannelTagBase));
    else
        pending_.post(tag, value);
    postUpdate();
}

void GrimboltEditor::applyPending()
{
    if (!frame_)
        return;
    float value;
    for (int32_t tag = kMaster; tag <= kBypassCabinet; ++tag)
        if (pending_.take(tag, value))
            showValue(tag, value);
    if (pending_.take(kChannelSlot, value))
        showChannel(static_cast<int32_t>(value));
}

void GrimboltEditor::showValue(int32_t tag, float value)
{
    if (CControl* control = controlForTag(tag))
        control->setValue(value);
}

void GrimboltEditor::showChannel(int32_t channel)
{
    currentChannel_ = channel + 1;
    channelLabel_->setText(kChannelNames[channel]);
    channelLabel_->setDirty(true);
}

bool GrimboltEditor::beginEdit(int32_t tag)
{
    // A press arms its channel button: the press's report steps once, however the pointer
    // wanders before the release.
    if (tag == kTagChannelDown)
        downArmed_ = true;
    else if (tag == kTagChannelUp)
        upArmed_ = true;
    return AEffGUIEditor::beginEdit(parameterOfTag(tag));
}

bool GrimboltEditor::endEdit(int32_t tag)
{
    return AEffGUIEditor::endEdit(parameterOfTag(tag));
}

void GrimboltEditor::valueChanged(CGraphics*, CControl* control)
{
    // A drag outlives a panel the host closed from one of its callbacks; what it does
    // afterwards is no edit of ours.
    if (!frame_)
        return;
    const int32_t tag = control->getTag();
    if (tag >= kMaster && tag <= kBypassCabinet) {
        effect_->setParameterAutomated(tag, control->getValue());
    } else if (control->getValue() != 0.0f) {
        if (tag == kTagChannelDown)
            stepChannel(-1, downArmed_);
        else if (tag == kTagChannelUp)
            stepChannel(1, upArmed_);
    }
    postUpdate();
}

void GrimboltEditor::stepChannel(int32_t step, bool& armed)
{
    const int32_t next = currentChannel_ + step;
    if (!armed || next < 1 || next > kNumChannels)
        return;
    armed = false;
    showChannel(next - 1);
    // 0.3, 0.6 and 0.90000004: the float products that select clean, crunch and ultra. The
    // host may close the panel before this returns.
    effect_->setParameterAutomated(kChannel, static_cast<float>(currentChannel_) * 0.3f);
}

CControl* GrimboltEditor::controlForTag(int32_t tag) const
{
    if (!frame_)
        return nullptr;
    if (tag >= kMaster && tag <= kInputGain)
        return knobs_[tag];
    switch (tag) {
    case kBypassCabinet:
        return bypassCabButton_;
    case kTagChannelDown:
        return channelDownButton_;
    case kTagChannelUp:
        return channelUpButton_;
    default:
        return nullptr;
    }
}

const char* GrimboltEditor::channelText() const
{
    return channelLabel_ ? channelLabel_->getText() : nullptr;
}

bool GrimboltEditor::snapshot(uint32_t* pixels, size_t capacity, int32_t& width, int32_t& height)
{
    if (!pixels)
        return false;
    // A closed panel is drawn for the request in a frame without a window: the picture needs
    // no display, whatever window side the plug-in has.
    const bool windowless = !frame_;
    if (windowless)
        buildPanel(nullptr);
    const bool taken = drawPanel(pixels, capacity, width, height);
    if (windowless)
        close();
    return taken;
}

bool GrimboltEditor::drawPanel(uint32_t* pixels, size_t capacity, int32_t& width, int32_t& height)
{
    const CBox area(0, 0, frame_->getWidth(), frame_->getHeight());
    if (capacity < static_cast<size_t>(area.width()) * static_cast<size_t>(area.height()))
        return false;
    applyPending();
    CBackBuffer* buffer = frame_->getBackBuffer();
    if (!buffer)
        return false;
    frame_->drawRect(buffer, area);
    if (!buffer->readPixels(area, pixels))
        return false;
    width = area.width();
    height = area.height();
    return true;
}
