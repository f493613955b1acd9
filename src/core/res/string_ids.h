#pragma once

#include <ostream>

// The number of a string table entry, the same in both languages' tables.
enum class MessageId : int {};

inline std::ostream& operator<<(std::ostream& out, MessageId id)
{
    return out << static_cast<int>(id);
}

// The entries of the string table.
namespace msg {

inline constexpr MessageId kOleInitFailed{100};
inline constexpr MessageId kSelectPlan{103};
inline constexpr MessageId kQ36MaxPlans{109};
inline constexpr MessageId kQ36MaxTps{110};
inline constexpr MessageId kDownloadSucceeded{111};
inline constexpr MessageId kDeviceNotFound{112};
inline constexpr MessageId kQ24MaxPlans{113};
inline constexpr MessageId kQ24MaxTpsSelect{114};
inline constexpr MessageId kOrbtabExists{115};
inline constexpr MessageId kMaxPlans{116};
inline constexpr MessageId kDownloadTitle{117};
inline constexpr MessageId kDownloading{118};
inline constexpr MessageId kUploadTitle{119};
inline constexpr MessageId kUploading{120};
inline constexpr MessageId kNeedNormalState{121};
inline constexpr MessageId kPane1{122};
inline constexpr MessageId kPane2{123};
inline constexpr MessageId kNeedUpgradeState{124};
inline constexpr MessageId kBadChars{126};
inline constexpr MessageId kTooLong{127};
inline constexpr MessageId kLongitudeRange{129};
inline constexpr MessageId kLnbRange{130};
inline constexpr MessageId kPlanWithoutTp{131};
inline constexpr MessageId kQ24MaxTpsAll{133};
inline constexpr MessageId kFrequencyRange{134};
inline constexpr MessageId kBandwidthRange{135};
inline constexpr MessageId kSymbolRateRange{136};
inline constexpr MessageId kQ24NoS2{138};
inline constexpr MessageId kConfirmDeleteTps{139};
inline constexpr MessageId kMaxTps{140};
inline constexpr MessageId kConfirmDeletePlans{141};
inline constexpr MessageId kSaveOffer{142};
inline constexpr MessageId kQ36PlanNeedsTp{143};
inline constexpr MessageId kQ36NotFound{144};
inline constexpr MessageId kQ36NoTv{145};
inline constexpr MessageId kQ36DvbsRollOff{146};
inline constexpr MessageId kPlanNameExists{147};
inline constexpr MessageId kTpNameExists{148};
inline constexpr MessageId kSaveFileFailed{149};
inline constexpr MessageId kOpenFileFailed{150};
inline constexpr MessageId kChecksumFailed{151};
inline constexpr MessageId kUnsafePlanName{152};
inline constexpr MessageId kNotPlanFile{153};
inline constexpr MessageId kBadFileContent{154};
inline constexpr MessageId kFileExists{155};
inline constexpr MessageId kUpgradeImageTooLarge{160};
inline constexpr MessageId kMeterNotOpened{161};
inline constexpr MessageId kStoppedAtPlan{162};
inline constexpr MessageId kStoppedAtTp{163};
inline constexpr MessageId kStoppedAtBlock{164};
inline constexpr MessageId kWrongReplyAtPlan{165};
inline constexpr MessageId kMeterHoldsNoPlans{166};
inline constexpr MessageId kPlanWithoutTpStopped{167};
// Meter replies that are no answer, and meters on a socket that cannot be
// reached.
inline constexpr MessageId kWrongReplyAtTp{400};
inline constexpr MessageId kWrongPlanCount{401};
inline constexpr MessageId kWrongTpCount{402};
inline constexpr MessageId kPlanCountOutOfRange{403};
inline constexpr MessageId kTpCountOutOfRange{404};
inline constexpr MessageId kNothingListens{405};
inline constexpr MessageId kNoGreeting{406};
inline constexpr MessageId kOtherIdentity{407};
inline constexpr MessageId kInputNotRead{168};
inline constexpr MessageId kRestoreOffer{169};
// Files that cannot be read or written, with the system's reason.
inline constexpr MessageId kSaveFileFailedBecause{460};
inline constexpr MessageId kOpenFileFailedBecause{461};
inline constexpr MessageId kNotRegularFile{462};
inline constexpr MessageId kInputNotOrbtab{463};
// The recovery copy of unsaved plans: its offer at start and its failures.
inline constexpr MessageId kRestoreButton{420};
inline constexpr MessageId kLaterButton{421};
inline constexpr MessageId kDiscardButton{422};
inline constexpr MessageId kRestoreDamagedOffer{423};
inline constexpr MessageId kConfirmDiscardKept{424};
inline constexpr MessageId kRecoveryCopyFailed{425};
// Import from satellite databases: what is wrong with a source, and why a TP
// is left out.
inline constexpr MessageId kNotScanFile{200};
inline constexpr MessageId kNoPositionInName{201};
inline constexpr MessageId kNotSatellitesXml{202};
inline constexpr MessageId kPositionRange{203};
inline constexpr MessageId kNoSatelliteAt{204};
inline constexpr MessageId kNoSatelliteFiles{205};
inline constexpr MessageId kTpLeftOut{206};
inline constexpr MessageId kValueNotStored{207};
inline constexpr MessageId kValueNotStoredWith{208};
inline constexpr MessageId kFrequencyOutside{209};
inline constexpr MessageId kSymbolRateOutside{210};
inline constexpr MessageId kSameTpInPlan{211};
inline constexpr MessageId kPlanTpLimit{212};
inline constexpr MessageId kOtherBandTp{213};
// Hostile sources: sizes, scan file lines and names that had to change.
inline constexpr MessageId kFileTooLarge{480};
inline constexpr MessageId kScanLineTooLong{481};
inline constexpr MessageId kScanControlChar{482};
inline constexpr MessageId kScanNotLine{483};
inline constexpr MessageId kScanBeforeGroup{484};
inline constexpr MessageId kScanValueTooLong{485};
inline constexpr MessageId kScanBadValue{486};
inline constexpr MessageId kScanRepeatedKey{487};
inline constexpr MessageId kScanTooManyGroups{488};
inline constexpr MessageId kPlanNameChanged{489};
inline constexpr MessageId kTpNameChanged{490};
inline constexpr MessageId kSatelliteNameChanged{491};
// Editing the lists: the clipboard, duplicate TPs and the find box.
inline constexpr MessageId kLabelCut{220};
inline constexpr MessageId kLabelCopy{221};
inline constexpr MessageId kLabelPaste{222};
inline constexpr MessageId kPasteFailed{223};
inline constexpr MessageId kNotAChoice{224};
inline constexpr MessageId kNoKnownColumn{225};
inline constexpr MessageId kNothingToPaste{226};
inline constexpr MessageId kRepeatsTp{227};
inline constexpr MessageId kConfirmRemoveDuplicates{228};
inline constexpr MessageId kNoDuplicates{229};
inline constexpr MessageId kFindPlaceholder{230};
// Limits and the rules every pasted, imported or duplicated record passes.
inline constexpr MessageId kPasteRefused{440};
inline constexpr MessageId kDuplicateRefused{441};
inline constexpr MessageId kRecordPlan{442};
inline constexpr MessageId kRecordTp{443};
inline constexpr MessageId kPlansNotTaken{444};
inline constexpr MessageId kFilesNotTaken{445};
inline constexpr MessageId kGeneralMaxPlans{446};
inline constexpr MessageId kQ9100MaxTps{447};
inline constexpr MessageId kUpgradeLoadButton{195};
inline constexpr MessageId kUpgradeButton{196};
inline constexpr MessageId kUpgradeTitle{197};
inline constexpr MessageId kUpgradeSucceeded{198};
inline constexpr MessageId kUpgradeFailed{199};
// Window, ribbon and dialog labels.
inline constexpr MessageId kCategoryHome{170};
inline constexpr MessageId kPanelFile{171};
inline constexpr MessageId kPanelPlanOp{172};
inline constexpr MessageId kPanelChannelOp{173};
inline constexpr MessageId kPanelSync{174};
inline constexpr MessageId kPanelUpgrade{175};
inline constexpr MessageId kRecentDocuments{176};
inline constexpr MessageId kStyleMenu{177};
inline constexpr MessageId kMainCategory{178};
inline constexpr MessageId kAboutButton{179};
inline constexpr MessageId kAboutTitle{180};
inline constexpr MessageId kAboutVersion{181};
inline constexpr MessageId kAboutProductVersion{182};
inline constexpr MessageId kOkButton{183};
inline constexpr MessageId kCancelButton{184};
inline constexpr MessageId kDontSaveButton{185};
inline constexpr MessageId kFileTypeTitle{190};
inline constexpr MessageId kFileTypeLabel{191};
inline constexpr MessageId kStyleBlue{215};
inline constexpr MessageId kStyleBlack{216};
inline constexpr MessageId kStyleSilver{217};
inline constexpr MessageId kStyleAqua{218};
inline constexpr MessageId kStyleWindows7{219};
// The Import dialog.
inline constexpr MessageId kImportTitle{260};
inline constexpr MessageId kImportSource{261};
inline constexpr MessageId kImportFolder{262};
inline constexpr MessageId kImportFile{263};
inline constexpr MessageId kImportSearch{264};
inline constexpr MessageId kImportPosition{265};
inline constexpr MessageId kImportSatellite{266};
inline constexpr MessageId kImportTps{267};
inline constexpr MessageId kImportNotStorable{268};
inline constexpr MessageId kImportModel{269};
inline constexpr MessageId kImportIntoNewPlans{270};
inline constexpr MessageId kImportIntoCurrentPlan{271};
inline constexpr MessageId kImportReading{272};
inline constexpr MessageId kImportLeftOut{273};
inline constexpr MessageId kImportNote{274};
inline constexpr MessageId kImportCBand{275};
inline constexpr MessageId kImportKuLow{276};
inline constexpr MessageId kImportKuHigh{277};
inline constexpr MessageId kImportNothingChosen{278};
// The band picture and the sky view.
inline constexpr MessageId kBandPicture{550};
inline constexpr MessageId kSkyView{551};
inline constexpr MessageId kCategoryView{552};
inline constexpr MessageId kPanelPictures{553};
inline constexpr MessageId kMarkOverlapping{554};
inline constexpr MessageId kMarkRepeated{555};
inline constexpr MessageId kMarkOutsideLnb{556};
inline constexpr MessageId kOverlapsTps{557};
inline constexpr MessageId kOutsideLnb{558};
inline constexpr MessageId kSwitchAt{559};
inline constexpr MessageId kSiteLabel{560};
inline constexpr MessageId kLatitude{561};
inline constexpr MessageId kLongitudeLabel{562};
inline constexpr MessageId kAddCity{563};
inline constexpr MessageId kRemoveCity{564};
inline constexpr MessageId kBadLatitude{565};
inline constexpr MessageId kBadLongitude{566};
inline constexpr MessageId kNoSite{567};
inline constexpr MessageId kAzimuth{568};
inline constexpr MessageId kMagneticAzimuth{569};
inline constexpr MessageId kElevation{570};
inline constexpr MessageId kLnbSkew{571};
inline constexpr MessageId kBelowHorizon{572};
inline constexpr MessageId kOutsideMagneticModel{573};
inline constexpr MessageId kNearMagneticPole{574};
inline constexpr MessageId kGeographicPole{575};
inline constexpr MessageId kPlansBelowHorizon{576};
inline constexpr MessageId kCity{577};
inline constexpr MessageId kDeclination{578};
inline constexpr MessageId kNoPlanNamed{579};
inline constexpr MessageId kCityBerlin{580};
inline constexpr MessageId kCityLondon{581};
inline constexpr MessageId kCityMoscow{582};
inline constexpr MessageId kCityDubai{583};
inline constexpr MessageId kCityBeijing{584};
inline constexpr MessageId kCityShanghai{585};
inline constexpr MessageId kCitySydney{586};
inline constexpr MessageId kCityNewYork{587};
inline constexpr MessageId kAboveHorizon{588};
inline constexpr MessageId kYes{589};
inline constexpr MessageId kNo{590};
inline constexpr MessageId kPointingColumns{591};
// Imports that fit the meter, tables as spreadsheets write them, and plans
// updated from a source.
inline constexpr MessageId kCodeRateGuessed{600};
inline constexpr MessageId kWrongSeparator{602};
inline constexpr MessageId kTableCellCount{603};
inline constexpr MessageId kColumnsLeftOut{604};
inline constexpr MessageId kTableNoRows{605};
inline constexpr MessageId kTableImportFailed{606};
inline constexpr MessageId kTableImportRowFailed{607};
inline constexpr MessageId kTableNoPosition{608};
inline constexpr MessageId kUpdateNoSatellite{609};
inline constexpr MessageId kUpdateSeveralSatellites{610};
inline constexpr MessageId kUpdateRefused{611};
inline constexpr MessageId kUpdateNothing{615};
inline constexpr MessageId kUpdateApply{618};
inline constexpr MessageId kUpdateSummary{624};
inline constexpr MessageId kTpNotTaken{625};
inline constexpr MessageId kNoPlanChosen{627};
inline constexpr MessageId kImportRefused{628};
inline constexpr MessageId kUpdateTitle{629};
inline constexpr MessageId kTableFiles{630};
inline constexpr MessageId kDataMenu{631};
// Ribbon command labels, under the ids of their commands.
inline constexpr MessageId kLabelAddPlan{32771};
inline constexpr MessageId kLabelDeletePlan{32772};
inline constexpr MessageId kLabelAddCh{32773};
inline constexpr MessageId kLabelDeleteCh{32774};
inline constexpr MessageId kLabelOpen{32775};
inline constexpr MessageId kLabelSelectAllPlans{32777};
inline constexpr MessageId kLabelSaveAll{32778};
inline constexpr MessageId kLabelUpload{32785};
inline constexpr MessageId kLabelType{32786};
inline constexpr MessageId kLabelDownload{32787};
inline constexpr MessageId kLabelSaveSelect{32789};
inline constexpr MessageId kLabelSelectAllChannels{32790};
inline constexpr MessageId kLabelUpgrade{32793};
inline constexpr MessageId kLabelImport{32800};
inline constexpr MessageId kLabelImportTable{620};
inline constexpr MessageId kLabelExportTable{621};
inline constexpr MessageId kLabelUpdateFromSource{622};
inline constexpr MessageId kLabelDuplicate{32820};
inline constexpr MessageId kLabelMoveUp{32821};
inline constexpr MessageId kLabelMoveDown{32822};
inline constexpr MessageId kLabelFind{32823};
inline constexpr MessageId kLabelRemoveDuplicates{32824};
inline constexpr MessageId kLabelDelete{32825};
inline constexpr MessageId kEdit{306};
inline constexpr MessageId kLabelUndo{57643};
inline constexpr MessageId kLabelRedo{57644};
inline constexpr MessageId kAppTitle{57344};
inline constexpr MessageId kReady{57345};

} // namespace msg
