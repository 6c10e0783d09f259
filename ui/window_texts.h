#pragma once
// The texts the main window shows (GBK), and the maker's homepage and contact.

#include <string_view>

namespace quorvane::texts {

inline constexpr std::string_view kCaption = "Quorvane";
inline constexpr std::string_view kContactCaption = "Quorvane    QQ:2026121101";
inline constexpr std::string_view kHomepageUrl = "https://quorvane.example.com/";

inline constexpr std::string_view kHintChooseCourier = "请先选择快递公司，在进行查询！\r\n";
inline constexpr std::string_view kHintQuerying = "正在查询，请稍后。。。查询速度视网速而定";
inline constexpr std::string_view kHintDone = "完成";

inline constexpr std::string_view kErrorTitle = "<错误>";
inline constexpr std::string_view kWarningTitle = "警告";
inline constexpr std::string_view kCourierListMissing = "配置文件不存在，无法获取快递公司编码！";
inline constexpr std::string_view kImportWarning =
    "警告：请勿连续使用该功能导入大量单号。该功能会短时间内向快递公司提交大量信息，极有可能导致被封IP！";
inline constexpr std::string_view kOpenFileFailed = "打开文件失败！";
inline constexpr std::string_view kSaveFileFailed = "保存文件失败！";
inline constexpr std::string_view kWriteFailed = "写入文本失败！";

}  // namespace quorvane::texts
