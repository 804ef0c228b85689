#include "ui/update_outcome.h"

#include <algorithm>

namespace ui {

namespace {

constexpr uint16_t kTavelinQImagePids[] = {0x8021, 0x1F59};
constexpr uint16_t kTavelinQ2ImagePids[] = {0x0003};

}  // namespace

std::span<const uint16_t> AcceptedImagePids(ModelKind kind) {
  switch (kind) {
    case ModelKind::TavelinQ:
      return kTavelinQImagePids;
    case ModelKind::TavelinQ2:
      return kTavelinQ2ImagePids;
    case ModelKind::UserCodeLayout:
      break;
  }
  return {};
}

bool ModelAcceptsImage(ModelKind kind, uint16_t imagePid) {
  const std::span<const uint16_t> pids = AcceptedImagePids(kind);
  return std::find(pids.begin(), pids.end(), imagePid) != pids.end();
}

bool UpdateOffered(uint16_t deviceVersion, uint16_t imageVersion) {
  if (imageVersion > deviceVersion) return true;
  return imageVersion < deviceVersion && (deviceVersion == 0x1721 || deviceVersion == 0x0108);
}

OutcomeDecision DecideUpdateOutcome(const CameraModel& camera, const ImageIdentity& image) {
  OutcomeDecision decision;
  decision.deviceVersion = camera.fwVersion;
  decision.imageVersion = image.fwVersion;
  decision.imagePid = image.pid;
  decision.chipVariant = camera.chipVariant;
  decision.kind = camera.kind;
  decision.modelName = camera.modelName;
  // The chip variant is looked at before the image: a camera on another layout is another
  // model whatever the image holds.
  if (camera.chipVariant != 1) {
    decision.reason = OtherModelReason::ChipVariant;
  } else if (!ModelAcceptsImage(camera.kind, image.pid)) {
    decision.reason = OtherModelReason::ProductId;
  } else {
    decision.outcome = UpdateOffered(camera.fwVersion, image.fwVersion)
                           ? UpdateOutcome::UpdateAvailable
                           : UpdateOutcome::UpToDate;
  }
  return decision;
}

const char* OutcomeName(UpdateOutcome outcome) {
  switch (outcome) {
    case UpdateOutcome::UpdateAvailable:
      return "update-available";
    case UpdateOutcome::UpToDate:
      return "up-to-date";
    case UpdateOutcome::OtherModel:
      break;
  }
  return "other-model";
}

}  // namespace ui
