#include "installer/setup/english.h"

#include "platform/system/resources.h"

namespace kv::installer {
namespace {

// Values are quoted where blanks at their ends count.
constexpr std::string_view kEnglish = R"([General]
Version=1.0
Language=English
LangID=9
Charset=0

[Buttons]
Back=< &Back
Next=&Next >
Cancel=&Cancel
Finish=&Finish
Browse=&Browse...
Resume=&Resume
ExitSetup=E&xit Setup

[Welcome]
Caption=Welcome
s1=Welcome to the PROG_NAME Setup program. This program will install PROG_NAME on your computer.<p>
s2=It is strongly recommended that you exit all Windows programs before running this Setup program.<p><p>Click Cancel to quit Setup and then close any programs you have running. Click Next to continue with the Setup program.<p>
s3=WARNING: This program is protected by copyright law and international treaties.<p><p>Unauthorized reproduction or distribution of this program, or any portion of it, may result in severe civil and criminal penalties, and will be prosecuted to the maximum extent possible under the law.
s4=PROG_NAME is supported by advertising: while it runs, it may show advertisements and contact the Internet to fetch them.<p><p>

[License]
Caption=License Agreement
s1=Please read the following License Agreement. Use the scroll bar to view the rest of this agreement.
s2=Do you accept all the terms of the License Agreement?
s3=YES - I Accept the terms of the License Agreement!
s4=NO - I DO NOT Accept the terms of the License Agreement!
s5=If you do not accept the terms, Setup will close.
s6=You must accept the License Agreement to install this program.

[Readme]
Caption=Readme
s1=Readme

[UserInfo]
Caption=User Information
s1=Type your name.
s2=Type the name of the company you work for.
s3=Type your name and the name of the company you work for.
s11=Name:
s12=Company:
s21=Please enter User Name!
s22=Please enter Company Name!

[Destination]
Caption=Choose Destination Location
s1=Setup will install PROG_NAME in the following folder.<p><p>To install to this folder, click Next.<p><p>To install to a different folder, click Browse and select another folder.
s2=Destination Directory
s3=Space required on drive:
s4=Space available on drive:

[SetupType]
Caption=Setup Type
s1=Click the type of Setup you prefer, then click Next.
s11=Typical
s12=Compact
s13=Custom
s21=The program will be installed with the most common options. Recommended for most users.
s22=The program will be installed with the minimum required options.
s23=You may choose the options you want to install. Recommended for advanced users.

[Components]
Caption=Select Components
s1=Select the components you want to install, and clear the components you do not want to install.
s2=Components:
s3=Description:

[Associate]
Caption=Set File Association
s1=Select the file types that PROG_NAME should open. Clear the file types you want to keep with their present programs.
s2=File Types:

[Shortcuts]
Caption=Set Program Shortcuts
s1=Setup will add program icons to the Program Folder listed below. You may type a new folder name, or accept the suggested name.
s2=Check the additional shortcuts you want Setup to create.
s3=Start/Program Menu
s11=Start Menu
s12=Desktop
s13=SendTo
s14=StartUp

[Confirm]
Caption=Confirm Setup Settings
s1=Setup has enough information to start copying the program files. If you want to review or change any settings, click Back. If you are satisfied with the settings, click Next to begin copying files.
s2="Click NEXT to begin copying files...   "

[CopyFiles]
Caption=Copying Files

[Complete]
Caption=Setup Complete
s0=Setup has finished copying files to your computer.
s1=Setup can launch the program now. Check the box below to start it when you click Finish.
s2=Before you can use the program, you must restart your computer.
s3=Yes, Launch the program file.
s4=Restart
s5=Yes, I want to restart my computer now.
s6=No, I will restart my computer later.
s7=Click <b>Finish</b> to complete the Setup.
s8=Display the Readme file.

[ExitSetup]
Caption=Exit Setup
s1=Setup is not complete. If you quit now, the program will not be installed.<p><p>You may run Setup again at a later time to complete the installation.<p><p>To continue installing, click Resume. To quit Setup, click Exit Setup.

[Messages]
Caption=Error
s1=%s<p>File not found!<p><p>Correct the problem and run Setup once again!
s2=Unable to create directory:<p>%s<p><p>Setup will now close.<p>Correct the problem and run Setup once again!
s3=Select Destination Directory

[UnInstall]
ConfirmCaption=Confirm
ConfirmText=Are you sure you want to uninstall the program
ButtonClose=Close
s1=This program will remove PROG_NAME and all of its components from your computer.
Label1=Shared program files...
Label2=Standard program files...
Label3=Folder items...
Label4=Program folders...
Label5=Program directories...
Label6=Program registry entries...
s2=UnInstall completed successfully !
)";

} // namespace

std::string_view EnglishText() {
    return kEnglish;
}

void AddEnglishResource() {
    machine::addResource(kTextResourceType, "ENGLISH", kEnglish);
}

} // namespace kv::installer
