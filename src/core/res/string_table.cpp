#include "core/res/string_table.h"

#include "core/res/string_ids.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

struct Entry {
    MessageId id;
    std::string_view english;
    std::string_view chinese;
};

constexpr std::string_view kOleText =
    "OLE initialization failed.  Make sure that the OLE libraries are the correct version.";

// Texts as the system has always shown them, misspellings and blanks included.
constexpr std::array kEntries{
    Entry{msg::kOleInitFailed, kOleText, kOleText},
    Entry{msg::kSelectPlan, "Please Select a Plan", "请选择一个频道表"},
    Entry{msg::kQ36MaxPlans, "Q36 have no more than 18 plans", "Q36 最大18个频道表"},
    Entry{msg::kQ36MaxTps, "Some Plan have more than 9 TP nums", "有多于9个频道的频道表"},
    Entry{msg::kDownloadSucceeded, "Download Sate Plans successfully", "下载频道表成功"},
    Entry{msg::kDeviceNotFound, "Not find the Device", "未发现设备"},
    Entry{msg::kQ24MaxPlans, "Q24 have no more than 16 plans", "Q24最大16个频道表"},
    Entry{msg::kQ24MaxTpsSelect, "Some Plan have more than 6 TP nums", "有多于6个频道的频道表"},
    Entry{msg::kOrbtabExists, "The target %s.Orbtab file is already exist, overwrite it?",
          "文件%s.Orbtab 已存在, 替换?"},
    Entry{msg::kMaxPlans, "Reach the Max nums", "达到最大限制"},
    Entry{msg::kDownloadTitle, "Download", "下载频道表"},
    Entry{msg::kDownloading, "Downloading", "正在下载..."},
    Entry{msg::kUploadTitle, "Upload", "上传频道表"},
    Entry{msg::kUploading, "Uploading", "正在上传..."},
    Entry{msg::kNeedNormalState, "Please change the Q36 Device to normal powering on status",
          "请把Q36设备切换到正常开机状态"},
    Entry{msg::kPane1, "Pane 1", "面板1"},
    Entry{msg::kPane2, "Pane 2", "面板2"},
    Entry{msg::kNeedUpgradeState, "Please change the Q36 Device to Upgradeing status", "请把Q36设备切换到升级状态"},
    Entry{msg::kBadChars, "not be number or not availeble chars", "非法数字或字符"},
    Entry{msg::kTooLong, "not more than 8 chars", "不能多于8个字符"},
    Entry{msg::kLongitudeRange, "between 0 to 180", "范围在0 到 180之间"},
    Entry{msg::kLnbRange, "between 1000MHz to 12000MHz", "范围在1000MHz 到 12000MHz之间"},
    Entry{msg::kPlanWithoutTp, "Save the file failed, please make sure the plan have one channel",
          "保存文件失败,请确保至少每个频道表包含一个频道"},
    Entry{msg::kQ24MaxTpsAll, "Some Plan have more than 6 TP nums", "有转发器数目多于6个的频道表"},
    Entry{msg::kFrequencyRange, "Between 3400MHz to 12750MHz", "范围在3400MHz - 12750MHz内"},
    Entry{msg::kBandwidthRange, "BW between 1.4MHz to 60.8MHz", "带宽范围在1.4 MHz到60.8MHz之间"},
    Entry{msg::kSymbolRateRange, "SR between 1.000MS/s to 45.000MS/s", "SR范围在1.000MS/s到45.000MS/s之间"},
    Entry{msg::kQ24NoS2, "Q24 can not have s2 type of TP", "Q24不能有S2类型的测试点"},
    Entry{msg::kConfirmDeleteTps, "Confirm to delete the selected TP(s)?", "确认删除选择的转发器?"},
    Entry{msg::kMaxTps, "Reach the max TP nums(100)", "达到最大的转发器数量100限制"},
    Entry{msg::kConfirmDeletePlans, "Confirm to delete the selected plan(s)?", "确认删除选择的频道表?"},
    Entry{msg::kSaveOffer, "Save plan(s) in the planlist?", "保存列表中的频道表?"},
    Entry{msg::kQ36PlanNeedsTp, "Each plan must have one TP!", "每个频道表至少含有一个转发器！"},
    Entry{msg::kQ36NotFound, "not find the Q36 device", "未发现设备"},
    Entry{msg::kQ36NoTv, "Q36 can only have the type of DVB-S or DVB-S2 TPs",
          "Q36频道表只能包含DVB-S,DVB-S2类型转发器"},
    Entry{msg::kQ36DvbsRollOff, "the TP of DVB-S only have the  0.35 rolloff",
          "Q36频道表DVB-S类型转发器只有0.35的滚降系数 "},
    Entry{msg::kPlanNameExists, "the plan name have existed", "该频道名已存在"},
    Entry{msg::kTpNameExists, "the TP name have existed", "该转发器名已存在"},
    Entry{msg::kSaveFileFailed, "Save the file %s failed", "保存文件%s失败"},
    Entry{msg::kOpenFileFailed, "Open the file %s failed", "打开文件%s失败"},
    Entry{msg::kChecksumFailed, "The file %s checksum is wrong", "文件%s校验和错误"},
    Entry{msg::kUnsafePlanName, "The plan name %s can not be a file name, the plan is not saved",
          "频道表名%s不能作为文件名, 未保存该频道表"},
    Entry{msg::kNotPlanFile, "The file %s is not a plan file", "文件%s不是频道表文件"},
    Entry{msg::kBadFileContent, "The file %s have wrong value: %s", "文件%s中有错误的值: %s"},
    Entry{msg::kFileExists, "The file %s is already exist", "文件%s已存在"},
    Entry{msg::kUpgradeImageTooLarge, "The file %s is too large to upgrade: an image holds at most 2097120 bytes",
          "文件%s太大, 无法升级: 升级文件最多2097120字节"},
    Entry{msg::kMeterNotOpened,
          "The Q36 device %s is there but can not be opened: %s. Install the udev rule as the README describes, "
          "then plug the device in again",
          "已找到Q36设备%s, 但无法打开: %s。请按README的说明安装udev规则, 然后重新插入设备"},
    Entry{msg::kStoppedAtPlan, "The Device stopped answering at plan %d", "设备在第%d个频道表处停止应答"},
    Entry{msg::kStoppedAtTp, "The Device stopped answering at plan %d, TP %d",
          "设备在第%d个频道表的第%d个转发器处停止应答"},
    Entry{msg::kStoppedAtBlock, "The Device stopped answering at block %d of %d", "设备在第%d块(共%d块)处停止应答"},
    Entry{msg::kWrongReplyAtPlan, "The Device answered wrongly at plan %d", "设备在第%d个频道表处应答错误"},
    Entry{msg::kMeterHoldsNoPlans, "The Device holds no plans or did not answer the plan count",
          "设备中没有频道表或未应答频道表数量"},
    Entry{msg::kPlanWithoutTpStopped, "Plan %d has no TP, the download stopped there",
          "第%d个频道表没有转发器, 下载在此停止"},
    Entry{msg::kWrongReplyAtTp, "The Device answered wrongly at plan %d, TP %d",
          "设备在第%d个频道表的第%d个转发器处应答错误"},
    Entry{msg::kWrongPlanCount, "The Device answered the plan count query wrongly", "设备对频道表数量查询的应答错误"},
    Entry{msg::kWrongTpCount, "The Device answered the TP count query of plan %d wrongly",
          "设备对第%d个频道表的转发器数量查询的应答错误"},
    Entry{msg::kPlanCountOutOfRange, "The Device answered the plan count with %d, which is not between 0 and 127",
          "设备应答的频道表数量为%d, 不在0到127之间"},
    Entry{msg::kTpCountOutOfRange,
          "The Device answered the TP count of plan %d with %d, which is not between 0 and 127",
          "设备应答的第%d个频道表的转发器数量为%d, 不在0到127之间"},
    Entry{msg::kNothingListens,
          "Nothing listens at %s: %s. Start orbitune-meter-sim on that port, or give the address where a meter "
          "emulator runs",
          "%s处没有程序监听: %s。请在该端口启动orbitune-meter-sim, 或给出正在运行的仪表模拟器的地址"},
    Entry{msg::kNoGreeting,
          "Nothing at %s greets as a meter: the program there is no meter emulator such as orbitune-meter-sim, or "
          "it is busy with another connection",
          "%s处没有仪表问候: 该处的程序不是orbitune-meter-sim等仪表模拟器, 或它正忙于另一个连接"},
    Entry{msg::kOtherIdentity,
          "The meter at %s greets as %s, not as the identity looked for: choose the Type that matches it "
          "(orbitune-cli: --identity), or start orbitune-meter-sim with the other --identity",
          "%s处的仪表标识为%s, 不是所查找的标识: 请选择与之相符的机器类型(orbitune-cli: --identity), "
          "或用另一个--identity启动orbitune-meter-sim"},
    Entry{msg::kInputNotRead, "The file %s is not read: after a General, Q24 or JSON file no other file is read",
          "未读取文件%s: General、Q24或JSON文件之后不读取其他文件"},
    Entry{msg::kRestoreOffer, "Plan(s) not saved when Orbitune last ended were kept at %s. Restore them?",
          "上次Orbitune结束时未保存的频道表已于%s保留, 恢复它们?"},
    Entry{msg::kSaveFileFailedBecause, "Save the file %s failed: %s", "保存文件%s失败: %s"},
    Entry{msg::kOpenFileFailedBecause, "Open the file %s failed: %s", "打开文件%s失败: %s"},
    Entry{msg::kNotRegularFile, "%s is not a regular file: it is neither read nor replaced",
          "%s不是普通文件: 不读取也不替换"},
    Entry{msg::kInputNotOrbtab, "The file %s is not read: after a Q9100 file only .Orbtab files are read",
          "未读取文件%s: Q9100文件之后只读取.Orbtab文件"},
    Entry{msg::kRestoreButton, "Restore", "恢复"},
    Entry{msg::kLaterButton, "Later", "以后再说"},
    Entry{msg::kDiscardButton, "Discard", "丢弃"},
    Entry{msg::kRestoreDamagedOffer,
          "Plan(s) not saved when Orbitune last ended were kept at %s, but the copy is damaged: %d of %d plan(s) "
          "could be read. Restore those?",
          "上次Orbitune结束时未保存的频道表已于%s保留, 但该副本已损坏: 只能读取%d个频道表(共%d个)。恢复这些频道表?"},
    Entry{msg::kConfirmDiscardKept,
          "Discard the plan(s) not saved when Orbitune last ended? They can not be restored afterwards",
          "丢弃上次Orbitune结束时未保存的频道表? 丢弃后无法恢复"},
    Entry{msg::kRecoveryCopyFailed,
          "The unsaved plans can not be kept in %s: %s. Until they can, save them to a file to keep them",
          "无法在%s中保留未保存的频道表: %s。在此问题解决之前, 请将它们保存到文件中"},
    Entry{msg::kNotScanFile, "The file %s is not a DVBv5 scan file", "文件%s不是DVBv5扫描文件"},
    Entry{msg::kNoPositionInName, "The file name %s does not end with an orbital position such as -13.0E",
          "文件名%s的结尾不是轨道位置(如-13.0E)"},
    Entry{msg::kNotSatellitesXml, "The file %s is not a satellites.xml file: %s", "文件%s不是satellites.xml文件: %s"},
    Entry{msg::kPositionRange, "The file %s gives the position %s, which is not between 180.0W and 180.0E",
          "文件%s给出的位置%s不在180.0W到180.0E之间"},
    Entry{msg::kNoSatelliteAt, "The source %s has no satellite %s", "来源%s中没有卫星%s"},
    Entry{msg::kNoSatelliteFiles, "The folder %s holds no satellite files", "文件夹%s中没有卫星文件"},
    Entry{msg::kTpLeftOut, "TP %s of %s is left out: %s", "转发器%s(%s)未导入: %s"},
    Entry{msg::kValueNotStored, "%s can not be stored", "无法保存%s"},
    Entry{msg::kValueNotStoredWith, "%s can not be stored with %s", "%s无法与%s一起保存"},
    Entry{msg::kFrequencyOutside, "the frequency %s MHz is not between 3400MHz and 12750MHz",
          "频率%s MHz不在3400MHz - 12750MHz内"},
    Entry{msg::kSymbolRateOutside, "the symbol rate %s kS/s is not between 1.000MS/s and 45.000MS/s",
          "符号率%s kS/s不在1.000MS/s到45.000MS/s之间"},
    Entry{msg::kSameTpInPlan, "the same TP is already in the plan", "频道表中已有相同的转发器"},
    Entry{msg::kPlanTpLimit, "a plan holds at most %d TPs for %s", "频道表最多包含%d个转发器(%s)"},
    Entry{msg::kOtherBandTp, "a %s band TP is not received with the plan's %s band LNB",
          "%s波段转发器无法用频道表的%s波段LNB接收"},
    Entry{msg::kFileTooLarge, "The file %s is too large: it may hold at most %s bytes", "文件%s太大: 最多%s字节"},
    Entry{msg::kScanLineTooLong, "The file %s, line %s: longer than %s characters", "文件%s第%s行: 超过%s个字符"},
    Entry{msg::kScanControlChar, "The file %s, line %s: holds a NUL byte or another control character",
          "文件%s第%s行: 含有NUL字节或其他控制字符"},
    Entry{msg::kScanNotLine, "The file %s, line %s: neither a [group] nor a KEY = VALUE line",
          "文件%s第%s行: 既不是[组]也不是KEY = VALUE行"},
    Entry{msg::kScanBeforeGroup, "The file %s, line %s: a KEY = VALUE line before the first [group]",
          "文件%s第%s行: 第一个[组]之前的KEY = VALUE行"},
    Entry{msg::kScanValueTooLong, "The file %s, line %s: the value of %s is longer than %s characters",
          "文件%s第%s行: %s的值超过%s个字符"},
    Entry{msg::kScanBadValue, "The file %s, line %s: %s is not a value of the format",
          "文件%s第%s行: %s不是该格式的值"},
    Entry{msg::kScanRepeatedKey, "The file %s, line %s: %s is given twice in one group",
          "文件%s第%s行: %s在同一组中出现两次"},
    Entry{msg::kScanTooManyGroups, "The file %s, line %s: more than %s groups", "文件%s第%s行: 超过%s个组"},
    Entry{msg::kPlanNameChanged, "Plan %s: the name \"%s\" can not be stored, it becomes \"%s\"",
          "频道表%s: 无法保存名称\"%s\", 改为\"%s\""},
    Entry{msg::kTpNameChanged, "Plan %s, TP %s: the name \"%s\" can not be stored, it becomes \"%s\"",
          "频道表%s, 转发器%s: 无法保存名称\"%s\", 改为\"%s\""},
    Entry{msg::kSatelliteNameChanged, "The plan of the satellite \"%s\" is named \"%s\"",
          "卫星\"%s\"的频道表命名为\"%s\""},
    Entry{msg::kLabelCut, "Cut", "剪切"},
    Entry{msg::kLabelCopy, "Copy", "复制"},
    Entry{msg::kLabelPaste, "Paste", "粘贴"},
    Entry{msg::kPasteFailed, "Nothing is pasted: row %s, column %s: %s", "未粘贴: 第%s行, %s列: %s"},
    Entry{msg::kNotAChoice, "%s is not one of %s", "%s不是%s之一"},
    Entry{msg::kNoKnownColumn,
          "No column header of the text names a column of this list: %s. Its headers are such as Freq(MHz), "
          "Polarization, SR(MS/s), Plan Name or Longitude",
          "文本的列标题都不是本列表的列: %s。本列表的列标题如Freq(MHz)、Polarization、SR(MS/s)、Plan Name或Longitude"},
    Entry{msg::kNothingToPaste, "Nothing is pasted: the clipboard holds no plans or TPs, nor rows under a header row",
          "未粘贴: 剪贴板中没有频道表或转发器, 也没有标题行下的行"},
    Entry{msg::kRepeatsTp, "The same TP as TP %s (%s): the same polarization, frequencies less than 1 MHz apart",
          "与转发器%s(%s)相同: 极化相同, 频率相差不到1MHz"},
    Entry{msg::kConfirmRemoveDuplicates, "Confirm to remove the %d duplicate TP(s)?", "确认删除%d个重复的转发器?"},
    Entry{msg::kNoDuplicates, "The plan has no duplicate TPs", "该频道表没有重复的转发器"},
    Entry{msg::kFindPlaceholder, "Find in the list (Esc clears)", "在列表中查找(Esc清除)"},
    Entry{msg::kPasteRefused, "Nothing is pasted: %s: %s", "未粘贴: %s: %s"},
    Entry{msg::kDuplicateRefused, "Nothing is duplicated: %s: %s", "未创建副本: %s: %s"},
    Entry{msg::kRecordPlan, "plan %s (%s)", "第%s个频道表(%s)"},
    Entry{msg::kRecordTp, "TP %s (%s)", "第%s个转发器(%s)"},
    Entry{msg::kPlansNotTaken, "%s: %d plan(s) are not read, the list holds at most 255 plans",
          "%s: 未读取%d个频道表, 列表最多容纳255个频道表"},
    Entry{msg::kFilesNotTaken, "%d file(s) are not read, the list holds at most 255 plans: %s",
          "未读取%d个文件, 列表最多容纳255个频道表: %s"},
    Entry{msg::kGeneralMaxPlans, "General have no more than 255 plans", "General最大255个频道表"},
    Entry{msg::kQ9100MaxTps, "The plan %s have more than 102 TPs, a Q9100 file holds no more",
          "频道表%s的转发器多于102个, Q9100文件最多容纳102个"},
    Entry{msg::kUpgradeLoadButton, "Load...", "载入..."},
    Entry{msg::kUpgradeButton, "Upgrade", "升级"},
    Entry{msg::kUpgradeTitle, "Upgrade", "Upgrade"},
    Entry{msg::kUpgradeSucceeded, "success", "success"},
    Entry{msg::kUpgradeFailed, "Failed", "Failed"},
    Entry{msg::kCategoryHome, "Home", "主目录"},
    Entry{msg::kPanelFile, "File", "文件"},
    Entry{msg::kPanelPlanOp, "Plan OP", "频道表"},
    Entry{msg::kPanelChannelOp, "Channel OP", "频道"},
    Entry{msg::kPanelSync, "Panel1", "同步"},
    Entry{msg::kPanelUpgrade, "Upgrade", "升级"},
    Entry{msg::kRecentDocuments, "Recent Documents", "Recent Documents"},
    Entry{msg::kStyleMenu, "Style", "Style"},
    Entry{msg::kMainCategory, "File", "File"},
    Entry{msg::kAboutButton, "About", "About"},
    Entry{msg::kAboutTitle, "About Orbitune", "About Orbitune"},
    Entry{msg::kAboutVersion, "Orbitune, Version %s", "Orbitune, Version %s"},
    Entry{msg::kAboutProductVersion, "Product Version %s", "Product Version %s"},
    Entry{msg::kOkButton, "OK", "确定"},
    Entry{msg::kCancelButton, "Cancel", "取消"},
    Entry{msg::kDontSaveButton, "Don't Save", "不保存"},
    Entry{msg::kFileTypeTitle, "File Type Select", "选择文件类型"},
    Entry{msg::kFileTypeLabel, "File Type:", "文件类型:"},
    Entry{msg::kStyleBlue, "Office 2007 (&Blue Style)", "Office 2007 (&Blue Style)"},
    Entry{msg::kStyleBlack, "Office 2007 (B&lack Style)", "Office 2007 (B&lack Style)"},
    Entry{msg::kStyleSilver, "Office 2007 (&Silver Style)", "Office 2007 (&Silver Style)"},
    Entry{msg::kStyleAqua, "Office 2007 (&Aqua Style)", "Office 2007 (&Aqua Style)"},
    Entry{msg::kStyleWindows7, "Win&dows 7", "Win&dows 7"},
    Entry{msg::kEdit, "Edit", "编辑"},
    Entry{msg::kLabelUndo, "Undo", "撤销"},
    Entry{msg::kLabelRedo, "Redo", "重做"},
    Entry{msg::kAppTitle, "Orbitune", "Orbitune"},
    Entry{msg::kReady, "Ready", "就绪"},
    Entry{msg::kLabelAddPlan, "Add Plan", "添加频道表"},
    Entry{msg::kLabelDeletePlan, "Delete Plan", "删除频道表"},
    Entry{msg::kLabelAddCh, "Add CH", "添加频道"},
    Entry{msg::kLabelDeleteCh, "Delete CH", "删除频道"},
    Entry{msg::kLabelOpen, "Open", "打开"},
    Entry{msg::kLabelSelectAllPlans, "Select All", "选择全部"},
    Entry{msg::kLabelSaveAll, "Save All", "保存全部"},
    Entry{msg::kLabelUpload, "Upload", "上传"},
    Entry{msg::kLabelType, "Type", "机器类型"},
    Entry{msg::kLabelDownload, "Download", "下载"},
    Entry{msg::kLabelSaveSelect, "Save Select", "保存选择"},
    Entry{msg::kLabelSelectAllChannels, "Select All", "选择全部"},
    Entry{msg::kLabelUpgrade, "Upgrade", "升级"},
    Entry{msg::kLabelImport, "Import", "导入"},
    Entry{msg::kImportTitle, "Import Plans", "导入频道表"},
    Entry{msg::kImportSource, "Source:", "来源:"},
    Entry{msg::kImportFolder, "Folder...", "文件夹..."},
    Entry{msg::kImportFile, "File...", "文件..."},
    Entry{msg::kImportSearch, "Search:", "搜索:"},
    Entry{msg::kImportPosition, "Position", "位置"},
    Entry{msg::kImportSatellite, "Satellite", "卫星"},
    Entry{msg::kImportTps, "TPs", "转发器"},
    Entry{msg::kImportNotStorable, "Not storable", "无法保存"},
    Entry{msg::kImportModel, "Model:", "机型:"},
    Entry{msg::kImportIntoNewPlans, "One new plan per checked satellite", "每个选中的卫星一个新频道表"},
    Entry{msg::kImportIntoCurrentPlan, "The checked TPs into the current plan %s", "选中的转发器加入当前频道表%s"},
    Entry{msg::kImportReading, "Reading %s ...", "正在读取%s ..."},
    Entry{msg::kImportLeftOut, "Left out:", "未导入:"},
    Entry{msg::kImportNote, "Note", "备注"},
    Entry{msg::kImportCBand, "C band", "C波段"},
    Entry{msg::kImportKuLow, "Ku low", "Ku低段"},
    Entry{msg::kImportKuHigh, "Ku high", "Ku高段"},
    Entry{msg::kImportNothingChosen, "Check a satellite and its TPs to import", "请选择要导入的卫星和转发器"},
    Entry{msg::kBandPicture, "Band Picture", "频段图"},
    Entry{msg::kSkyView, "Sky View", "天空视图"},
    Entry{msg::kCategoryView, "View", "视图"},
    Entry{msg::kPanelPictures, "Pictures", "图示"},
    Entry{msg::kMarkOverlapping, "overlapping", "重叠"},
    Entry{msg::kMarkRepeated, "repeated", "重复"},
    Entry{msg::kMarkOutsideLnb, "outside the LNB", "超出LNB范围"},
    Entry{msg::kOverlapsTps, "Overlaps %s", "与%s重叠"},
    Entry{msg::kOutsideLnb, "%s MHz is not received with the plan's LNB, which receives %s for this TP",
          "%s MHz无法用频道表的LNB接收, 该LNB为此转发器接收%s"},
    Entry{msg::kSwitchAt, "switch %s MHz", "切换 %s MHz"},
    Entry{msg::kSiteLabel, "Site:", "地点:"},
    Entry{msg::kLatitude, "Latitude", "纬度"},
    Entry{msg::kLongitudeLabel, "Longitude", "经度"},
    Entry{msg::kAddCity, "Add City", "添加城市"},
    Entry{msg::kRemoveCity, "Remove City", "删除城市"},
    Entry{msg::kBadLatitude, "%s is not a latitude: degrees from 90S to 90N, such as 52.5N or -33.9",
          "%s不是纬度: 应为90S到90N之间的度数, 如52.5N或-33.9"},
    Entry{msg::kBadLongitude, "%s is not a longitude: degrees from 180W to 180E, such as 13.4E or -74.0",
          "%s不是经度: 应为180W到180E之间的度数, 如13.4E或-74.0"},
    Entry{msg::kNoSite, "Type the site's latitude and longitude, or choose a city",
          "请输入地点的纬度和经度, 或选择一个城市"},
    Entry{msg::kAzimuth, "Azimuth", "方位角"},
    Entry{msg::kMagneticAzimuth, "Magnetic Azimuth", "磁方位角"},
    Entry{msg::kElevation, "Elevation", "仰角"},
    Entry{msg::kLnbSkew, "LNB Skew", "LNB偏转角"},
    Entry{msg::kBelowHorizon, "below the horizon", "在地平线以下"},
    Entry{msg::kOutsideMagneticModel,
          "The World Magnetic Model 2025 holds from 2025-01-01 to 2029-12-31, not on %s: no magnetic azimuth",
          "世界地磁模型2025适用于2025-01-01至2029-12-31, 不适用于%s: 无磁方位角"},
    Entry{msg::kNearMagneticPole, "Near a magnetic pole a compass does not point north: no magnetic azimuth",
          "在磁极附近指南针不指向北: 无磁方位角"},
    Entry{msg::kGeographicPole, "At a geographic pole north has no direction: no magnetic azimuth",
          "在地理极点北方没有方向: 无磁方位角"},
    Entry{msg::kPlansBelowHorizon, "Below the horizon: %s", "在地平线以下: %s"},
    Entry{msg::kCity, "City", "城市"},
    Entry{msg::kDeclination, "Declination %s (World Magnetic Model 2025, %s)", "磁偏角%s (世界地磁模型2025, %s)"},
    Entry{msg::kNoPlanNamed, "%s has no plan named %s", "%s中没有名为%s的频道表"},
    Entry{msg::kCityBerlin, "Berlin", "柏林"},
    Entry{msg::kCityLondon, "London", "伦敦"},
    Entry{msg::kCityMoscow, "Moscow", "莫斯科"},
    Entry{msg::kCityDubai, "Dubai", "迪拜"},
    Entry{msg::kCityBeijing, "Beijing", "北京"},
    Entry{msg::kCityShanghai, "Shanghai", "上海"},
    Entry{msg::kCitySydney, "Sydney", "悉尼"},
    Entry{msg::kCityNewYork, "New York", "纽约"},
    Entry{msg::kAboveHorizon, "Above Horizon", "在地平线以上"},
    Entry{msg::kYes, "Yes", "是"},
    Entry{msg::kNo, "No", "否"},
    Entry{msg::kPointingColumns, "Pointing Columns", "天线指向列"},
    Entry{msg::kCodeRateGuessed, "TP %s of %s: the source leaves the code rate to the receiver, %s is taken",
          "转发器%s(%s): 来源未给出码率, 采用%s"},
    Entry{msg::kWrongSeparator,
          "The header row separates its cells by %s: a table separates them by Tab, \";\" or \",\"",
          "标题行以%s分隔单元格: 表格应以Tab、\";\"或\",\"分隔"},
    Entry{msg::kTableCellCount,
          "Row %s has %s cells where the header row has %s, separated by %s: every row takes the header's separator, "
          "and a cell holding it must be in quotes",
          "第%s行有%s个单元格, 而标题行有%s个(以%s分隔): 每行须使用标题行的分隔符, 含分隔符的单元格须加引号"},
    Entry{msg::kColumnsLeftOut, "The columns %s are left out: their headers name no column of this list",
          "已忽略列%s: 其标题不是本列表的列"},
    Entry{msg::kTableNoRows, "it holds no rows under a header row", "其中没有标题行下的行"},
    Entry{msg::kTableImportFailed, "Nothing is imported from %s: %s", "未从%s导入: %s"},
    Entry{msg::kTableImportRowFailed, "Nothing is imported from %s: row %s, column %s: %s",
          "未从%s导入: 第%s行, %s列: %s"},
    Entry{msg::kTableNoPosition,
          "The table %s gives no position for row %s: it needs a Longitude column, or a file name ending in a "
          "position such as -19.2E",
          "表格%s未给出第%s行的位置: 需要Longitude列, 或以位置结尾的文件名(如-19.2E)"},
    Entry{msg::kUpdateNoSatellite, "no satellite of the source at %s", "来源中没有位于%s的卫星"},
    Entry{msg::kUpdateSeveralSatellites, "several satellites of the source at %s, none by the plan's name: %s",
          "来源中有多颗位于%s的卫星, 无一与频道表同名: %s"},
    Entry{msg::kUpdateRefused, "Nothing is updated: %s: %s", "未更新: %s: %s"},
    Entry{msg::kUpdateNothing, "Tick the differences to take", "请勾选要采用的差异"},
    Entry{msg::kUpdateApply, "Update", "更新"},
    Entry{msg::kUpdateSummary, "%s (%s) from %s: %s added, %s removed, %s changed",
          "%s(%s)来自%s: 新增%s, 删除%s, 更改%s"},
    Entry{msg::kTpNotTaken, "TP %s of %s is not taken: %s", "转发器%s(%s)未采用: %s"},
    Entry{msg::kNoPlanChosen, "Tick the plans to take, or select one", "请勾选频道表, 或选择一个"},
    Entry{msg::kImportRefused, "Nothing is imported: %s: %s", "未导入: %s: %s"},
    Entry{msg::kUpdateTitle, "Update from Source", "从来源更新"},
    Entry{msg::kTableFiles, "Tables", "表格"},
    Entry{msg::kDataMenu, "Data", "数据"},
    Entry{msg::kLabelImportTable, "Import Table...", "导入表格..."},
    Entry{msg::kLabelExportTable, "Export Table...", "导出表格..."},
    Entry{msg::kLabelUpdateFromSource, "Update from Source...", "从来源更新..."},
    Entry{msg::kLabelDuplicate, "Duplicate", "创建副本"},
    Entry{msg::kLabelMoveUp, "Move Up", "上移"},
    Entry{msg::kLabelMoveDown, "Move Down", "下移"},
    Entry{msg::kLabelFind, "Find", "查找"},
    Entry{msg::kLabelRemoveDuplicates, "Remove Duplicates", "删除重复"},
    Entry{msg::kLabelDelete, "Delete", "删除"},
};

const Entry* find(MessageId id)
{
    const auto it = std::find_if(kEntries.begin(), kEntries.end(), [id](const Entry& e) { return e.id == id; });
    return it == kEntries.end() ? nullptr : &*it;
}

} // namespace

Language languageFromLocaleName(std::string_view name)
{
    return name.starts_with("zh") ? Language::Chinese : Language::English;
}

Language systemLanguage()
{
    for (const char* var : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(var);
        if (value != nullptr && *value != '\0')
            return languageFromLocaleName(value);
    }
    return Language::English;
}

std::string_view messageText(MessageId id, Language language)
{
    const Entry* e = find(id);
    if (e == nullptr)
        return {};
    return language == Language::Chinese ? e->chinese : e->english;
}

std::string formatMessage(MessageId id, Language language, std::span<const std::string> args)
{
    const std::string_view text = messageText(id, language);
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == 's' || text[i + 1] == 'd')) {
            if (next < args.size())
                out += args[next];
            ++next;
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::string noticeText(const Notice& notice, Language language)
{
    return formatMessage(notice.message, language, notice.args);
}

std::vector<MessageId> messageIds()
{
    std::vector<MessageId> ids;
    for (const auto& e : kEntries)
        ids.push_back(e.id);
    std::sort(ids.begin(), ids.end());
    return ids;
}
