#include "windows/HelpTopics.h"

namespace vantrel {

namespace {

const std::string kSeparator(128, '-');
const std::string kBlank = " ";
const std::string kPropertiesHeading = "Host File Properties";
const std::string kUsingHeading = "Using The Vantrel Program";

// The sample sites the texts show.
#define VANTREL_WEBMAIL "mail.webpost-example.com"
#define VANTREL_REPLACEMENT "www.safe-example.org"

const char* const kTopic3 =
    "The Host File has 2 sites listed: \r\n"
    "1. The site (usually 127.0.0.1) that you wish to redirect other sites to.\r\n"
    "2. The site that is being redirected.\r\n"
    "\r\n"
    "Example: \r\n"
    "127.0.0.1  " VANTREL_WEBMAIL
    "\r\n"
    "\r\n"
    "This example sends every visit to " VANTREL_WEBMAIL
    " to 127.0.0.1, your own computer, so the web-mail site can no longer be reached.";

const char* const kTopic4 =
    "For Windows XP:             C:\\Windows\\System32\\Drivers\\Etc\\\r\n"
    "For Windows 2000:          C:\\WinNT\\System32\\Drivers\\Etc\\\r\n"
    "For Windows 95/98/ME:   C:\\Windows\\\r\n"
    "\r\n"
    "If you are uncertain which Operating System you have, simply search for Host.";

const char* const kTopic5 =
    "Every computer has the ability to host a website.  The way Microsoft Windows was designed, "
    "127.0.0.1 (otherwise known as Localhost), is found on every computer, and it is simply your "
    "computer's website.\r\n"
    "\r\n"
    "Since most people have not configured their computer to host a website, you will receive a "
    "'Page cannot be displayed' error message when redirecting other websites to your own "
    "(127.0.0.1 or LocalHost).";

const char* const kTopic6 =
    "The most common benefit to using a host file is to block websites (especially advertisement "
    "websites).\r\n"
    "\r\n"
    "Benefits to blocking websites include Parental Control, Corporate Control, Advertisement "
    "Control and so on.  The Host file is able to even block pop up advertisements from occuring.";

const char* const kTopic16 =
    "When saving the host file, you will be prompted with the following 3 options: \r\n"
    "\r\n"
    "1.  Save with LocalHost (127.0.0.1)\r\n"
    "2.  Save without LocalHost (0)\r\n"
    "3.  Save with other IP or website\r\n"
    "\r\n"
    "Example of Saving with Localhost: \r\n"
    "127.0.0.1   " VANTREL_WEBMAIL
    "\r\n"
    "\r\n"
    "Example of Saving without Localhost: \r\n"
    "0   " VANTREL_WEBMAIL
    "\r\n"
    "\r\n"
    "Example of Saving with other IP or website: \r\n" VANTREL_REPLACEMENT "   " VANTREL_WEBMAIL
    "\r\n"
    "\r\n"
    "After choosing your save options from the 3 listed above simply click Save.  You will then be "
    "prompted to fill in a name for the host file (most likely Host) and click on Save again.\r\n"
    "\r\n"
    "On the Save Options screen, you have the option to save the host file with or without the "
    "comments.  Simply uncheck 'Save Comments in Host File' if you wish not to save the comments.";

const char* const kTopic17 =
    "Saving with LocalHost will redirect sites to your computers IP address (127.0.0.1).\r\n"
    "\r\n"
    "If you notice some lag on your computers' performance, you might want to save your host file "
    "without the LocalHost.  The value of Zero (0) will replace the standard 127.0.0.1 that is "
    "normally used in the Host File.  You might see a performance boost when saving without the "
    "LocalHost\r\n"
    "\r\n"
    "If you do not like to see 'Page cannot be displayed' everytime a site is blocked, then you "
    "might want to save your Host File with another Website or IP.";

#undef VANTREL_WEBMAIL
#undef VANTREL_REPLACEMENT

}  // namespace

const std::array<std::string, kHelpItemCount>& HelpItems() {
  static const std::array<std::string, kHelpItemCount> items{
      kPropertiesHeading,
      kSeparator,
      "1. What is a Host File?",
      "2. How does a Host File work?",
      "3. Where is the Host File located?",
      "4. What is LocalHost or 127.0.0.1?",
      "5. What are the benefits of having a Host File?",
      kSeparator,
      kBlank,
      kBlank,
      kUsingHeading,
      kSeparator,
      "1. Adding a Host File entry",
      "2. Changing a Host File entry",
      "3. Delete a Host File entry",
      "4. Remove Duplicates",
      "5. Saving Changes to the Host File",
      "6. Why save changes with those certain options?",
      "7. Using the Find Feature",
      kSeparator,
  };
  return items;
}

bool IsHelpHeading(const std::string& item) {
  return item == kPropertiesHeading || item == kSeparator || item == kBlank ||
         item == kUsingHeading;
}

std::string HelpTopicText(int index) {
  switch (index) {
    case 2:
      return "The Host File is a file found on all Microsoft Windows operating systems that help "
             "block or redirect sites.";
    case 3:
      return kTopic3;
    case 4:
      return kTopic4;
    case 5:
      return kTopic5;
    case 6:
      return kTopic6;
    case 12:
      return "Simply click on Add.  When prompted, fill in the desired website that you wish to "
             "block and press OK.";
    case 13:
      return "First select a Host File entry that you wish to change.  Once the Host File entry is "
             "selected, click on Change. When prompted, fill in the new site that you wish to "
             "change the old Host File entry to and click on OK.";
    case 14:
      return "First select a Host File entry that you wish to delete. Once the Host File entry is "
             "selected, click on Delete.";
    case 15:
      return "Simply click on Remove Duplicates.  This will remove all duplicate entries found in "
             "the Host File.";
    case 16:
      return kTopic16;
    case 17:
      return kTopic17;
    case 18:
      return "Click on the box to type in the website name that you are looking for.  Then hit the "
             "'enter' key to start the query.";
    default:
      return {};
  }
}

}  // namespace vantrel
