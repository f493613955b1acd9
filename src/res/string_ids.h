#pragma once

// Ids of the string table entries.
namespace msg {

inline constexpr int kOleInitFailed = 100;
inline constexpr int kSelectPlan = 103;
inline constexpr int kQ36MaxPlans = 109;
inline constexpr int kQ36MaxTps = 110;
inline constexpr int kDownloadSucceeded = 111;
inline constexpr int kDeviceNotFound = 112;
inline constexpr int kQ24MaxPlans = 113;
inline constexpr int kQ24MaxTpsSelect = 114;
inline constexpr int kOrbtabExists = 115;
inline constexpr int kMaxPlans = 116;
inline constexpr int kDownloadTitle = 117;
inline constexpr int kDownloading = 118;
inline constexpr int kUploadTitle = 119;
inline constexpr int kUploading = 120;
inline constexpr int kNeedNormalState = 121;
inline constexpr int kPane1 = 122;
inline constexpr int kPane2 = 123;
inline constexpr int kNeedUpgradeState = 124;
inline constexpr int kBadChars = 126;
inline constexpr int kTooLong = 127;
inline constexpr int kLongitudeRange = 129;
inline constexpr int kLnbRange = 130;
inline constexpr int kPlanWithoutTp = 131;
inline constexpr int kQ24MaxTpsAll = 133;
inline constexpr int kFrequencyRange = 134;
inline constexpr int kBandwidthRange = 135;
inline constexpr int kSymbolRateRange = 136;
inline constexpr int kQ24NoS2 = 138;
inline constexpr int kConfirmDeleteTps = 139;
inline constexpr int kMaxTps = 140;
inline constexpr int kConfirmDeletePlans = 141;
inline constexpr int kSaveOffer = 142;
inline constexpr int kQ36PlanNeedsTp = 143;
inline constexpr int kQ36NotFound = 144;
inline constexpr int kQ36NoTv = 145;
inline constexpr int kQ36DvbsRollOff = 146;
inline constexpr int kPlanNameExists = 147;
inline constexpr int kTpNameExists = 148;
inline constexpr int kSaveFileFailed = 149;
inline constexpr int kOpenFileFailed = 150;
inline constexpr int kChecksumFailed = 151;
inline constexpr int kUnsafePlanName = 152;
inline constexpr int kNotPlanFile = 153;
inline constexpr int kBadFileContent = 154;
inline constexpr int kFileExists = 155;
inline constexpr int kUpgradeImageTooLarge = 160;
inline constexpr int kUpgradeLoadButton = 195;
inline constexpr int kUpgradeButton = 196;
inline constexpr int kUpgradeTitle = 197;
inline constexpr int kUpgradeSucceeded = 198;
inline constexpr int kUpgradeFailed = 199;
inline constexpr int kEdit = 306;
inline constexpr int kAppTitle = 57344;
inline constexpr int kReady = 57345;

} // namespace msg
