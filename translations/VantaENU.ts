<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>CoreText</name>
    <message>
        <source>Save changes to %1 project?</source>
        <translation>Save the changes to the project %1?</translation>
    </message>
    <message>
        <source>Open file%1 error!</source>
        <translation>The file %1 cannot be opened.</translation>
    </message>
    <message>
        <source>No. %1 window exist, do you want to replace it?</source>
        <translation>Window %1 exists already. Replace it with a copy of this window?</translation>
    </message>
    <message>
        <source>Do you want to delete the No. %1 window?</source>
        <translation>Delete window %1 and everything on it?</translation>
    </message>
    <message>
        <source>does the file%1 exist?</source>
        <translation>The file %1 is missing; it is needed for a download.</translation>
    </message>
    <message>
        <source>Download complete!Data %1 bytes</source>
        <translation>Download complete: %1 bytes of screen data.</translation>
    </message>
    <message>
        <source>Cannot open the serial port%1!</source>
        <translation>Cannot open the serial port %1.</translation>
    </message>
    <message>
        <source>File %1 does not exist!</source>
        <translation>The file %1 does not exist.</translation>
    </message>
    <message>
        <source>File %1 is damaged!</source>
        <translation>The file %1 is damaged.</translation>
    </message>
    <message>
        <source>File %1 cannot be written!</source>
        <translation>The file %1 cannot be written.</translation>
    </message>
    <message>
        <source>延时越界</source>
        <translation>The panel did not answer in time, so the download stopped. Check the cable and the port, and that the panel is switched on.</translation>
    </message>
    <message>
        <source>通讯错误次数越界</source>
        <translation>The panel reported too many damaged frames, so the download stopped. Check the cable and try again.</translation>
    </message>
    <message>
        <source>重发次数越界</source>
        <translation>The panel did not accept a frame after repeated sending, so the download stopped. Check the cable and try again.</translation>
    </message>
    <message>
        <source>Communication Error!!!</source>
        <translation>The panel does not answer, so the download stopped.</translation>
    </message>
    <message>
        <source>Wrong informationg!</source>
        <translation>The panel sent wrong information about itself, so the download stopped.</translation>
    </message>
    <message>
        <source>Download data</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>The protocol does not exist!</source>
        <translation>The protocol catalogue has no driver for this protocol.</translation>
    </message>
    <message>
        <source>Register Limit error, cancel?</source>
        <translation>Some registers had limits outside their data range; they were corrected. Cancel the download?</translation>
    </message>
    <message>
        <source>The file Ostra_Ptc.dat error!!!</source>
        <translation>The protocol catalogue Ostra_Ptc.dat is missing or empty, so no project can be made.</translation>
    </message>
    <message>
        <source>Is it a correct file?</source>
        <translation>This is not a project file of this program.</translation>
    </message>
    <message>
        <source>version does not match!</source>
        <translation>The project file has a version this program does not read.</translation>
    </message>
    <message>
        <source>File type error!</source>
        <translation>Wrong file type</translation>
    </message>
    <message>
        <source>the file type error!</source>
        <translation>This is not an old project file.</translation>
    </message>
    <message>
        <source>Open the file error!</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <source>conversion accomplished!</source>
        <translation>The old project was converted.</translation>
    </message>
    <message>
        <source>Load Font Lib Failure</source>
        <translation>The glyph file Ostra_EN.dat cannot be loaded, so the program ends.</translation>
    </message>
    <message>
        <source>无标题</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>The window exist</source>
        <translation>Window exists</translation>
    </message>
    <message>
        <source>Delete current window</source>
        <translation>Delete window</translation>
    </message>
    <message>
        <source>picture size error!!!</source>
        <translation>The picture is too large: at most 196 x 64 pixels.</translation>
    </message>
    <message>
        <source>Open the picture error!!!</source>
        <translation>The picture cannot be opened.</translation>
    </message>
    <message>
        <source>Open picture</source>
        <translation>Open picture</translation>
    </message>
    <message>
        <source>‘ESC’键</source>
        <translation>ESC key</translation>
    </message>
    <message>
        <source>‘←’键</source>
        <translation>← key</translation>
    </message>
    <message>
        <source>‘→’键</source>
        <translation>→ key</translation>
    </message>
    <message>
        <source>‘↓’键</source>
        <translation>↓ key</translation>
    </message>
    <message>
        <source>‘↑’键</source>
        <translation>↑ key</translation>
    </message>
    <message>
        <source>‘SET’键</source>
        <translation>SET key</translation>
    </message>
    <message>
        <source>‘ENT’键</source>
        <translation>ENT key</translation>
    </message>
    <message>
        <source>‘ALM’键</source>
        <translation>ALM key</translation>
    </message>
    <message>
        <source>‘0’键</source>
        <translation>0 key</translation>
    </message>
    <message>
        <source>‘1’键</source>
        <translation>1 key</translation>
    </message>
    <message>
        <source>‘2’键</source>
        <translation>2 key</translation>
    </message>
    <message>
        <source>‘3’键</source>
        <translation>3 key</translation>
    </message>
    <message>
        <source>‘4’键</source>
        <translation>4 key</translation>
    </message>
    <message>
        <source>‘5’键</source>
        <translation>5 key</translation>
    </message>
    <message>
        <source>‘6’键</source>
        <translation>6 key</translation>
    </message>
    <message>
        <source>‘7’键</source>
        <translation>7 key</translation>
    </message>
    <message>
        <source>‘8’键</source>
        <translation>8 key</translation>
    </message>
    <message>
        <source>‘9’键</source>
        <translation>9 key</translation>
    </message>
    <message>
        <source>‘CLR’键</source>
        <translation>CLR key</translation>
    </message>
    <message>
        <source>The file %1 exists already. Do you want to replace it?</source>
        <translation>The file %1 exists already. Do you want to replace it?</translation>
    </message>
    <message>
        <source>The project was written to %1</source>
        <translation>The project was written to %1</translation>
    </message>
    <message>
        <source>Window %1, %2: upper limit %3, lower limit %4 become upper limit %5, lower limit %6</source>
        <translation>Window %1, %2: upper limit %3, lower limit %4 become upper limit %5, lower limit %6</translation>
    </message>
    <message>
        <source>Window %1, %2: full scale %3, zero scale %4 become full scale %5, zero scale %6</source>
        <translation>Window %1, %2: full scale %3, zero scale %4 become full scale %5, zero scale %6</translation>
    </message>
    <message>
        <source>Cancel the download</source>
        <translation>Cancel the download</translation>
    </message>
    <message>
        <source>Correct the limits and download</source>
        <translation>Correct the limits and download</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Import old project</source>
        <translation>Import old project</translation>
    </message>
</context>
<context>
    <name>QDialog</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vanta::AlarmListDialog</name>
    <message>
        <source>报警列表</source>
        <translation>Alarm List</translation>
    </message>
    <message>
        <source>报警列表起始线圈</source>
        <translation>Alarm list start coil</translation>
    </message>
    <message>
        <source>局号:</source>
        <translation>&amp;Station:</translation>
    </message>
    <message>
        <source>类型:</source>
        <translation>&amp;Type:</translation>
    </message>
    <message>
        <source>地址:</source>
        <translation>&amp;Address:</translation>
    </message>
    <message>
        <source>偏移:</source>
        <translation>O&amp;ffset:</translation>
    </message>
    <message>
        <source>Coil</source>
        <translation>Coil</translation>
    </message>
    <message>
        <source>Alarm description</source>
        <translation>Alarm description</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vanta::BarTidePage</name>
    <message>
        <source>Bar Graph Property</source>
        <translation>Bar Graph Property</translation>
    </message>
    <message>
        <source>坐标</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>尺寸</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>宽:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>高:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>方向:</source>
        <translation>Direction:</translation>
    </message>
    <message>
        <source>向上</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>向下</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>向左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>向右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>数据采集:</source>
        <translation>Samples:</translation>
    </message>
    <message>
        <source>点</source>
        <translation>points</translation>
    </message>
    <message>
        <source>采样间隔:</source>
        <translation>Sample interval:</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>寄存器</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>寄存器个数:</source>
        <translation>Registers:</translation>
    </message>
    <message>
        <source>模式:</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>HEX/BCD</source>
        <translation>HEX/BCD</translation>
    </message>
    <message>
        <source>十进制</source>
        <translation>Decimal</translation>
    </message>
    <message>
        <source>有符号数</source>
        <translation>Signed</translation>
    </message>
    <message>
        <source>显示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>满额度值:</source>
        <translation>Full-scale value:</translation>
    </message>
    <message>
        <source>零额度值:</source>
        <translation>Zero-scale value:</translation>
    </message>
    <message>
        <source>Trend Lind Property</source>
        <translation>Trend Graph Property</translation>
    </message>
</context>
<context>
    <name>vanta::CAboutDlg</name>
    <message>
        <source>Orbis 操作面板的画面设置与下载</source>
        <translation>Screens and downloads of the Orbis operator panel</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>关于 Vanta</source>
        <translation>About Vanta</translation>
    </message>
    <message>
        <source>Vanta画面设置工具 %1 版</source>
        <translation>Vanta Screen Editor, version %1</translation>
    </message>
</context>
<context>
    <name>vanta::CMainFrame</name>
    <message>
        <source>文件%1不存在!</source>
        <translation>File %1 does not exist!</translation>
    </message>
    <message>
        <source>删除部件(&amp;P)</source>
        <translation>Delete Com&amp;ponent</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>部件(&amp;P)</source>
        <translation>&amp;Parts</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>打开该文档</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>新建工程(&amp;N)</source>
        <translation>&amp;New Project</translation>
    </message>
    <message>
        <source>创建新工程文档
新建工程(Ctrl+N)</source>
        <translation>Create a new project
New Project (Ctrl+N)</translation>
    </message>
    <message>
        <source>打开工程(&amp;O)...</source>
        <translation>&amp;Open Project...</translation>
    </message>
    <message>
        <source>打开一个已有的工程文档
打开工程(Ctrl+O)</source>
        <translation>Open an existing project
Open Project (Ctrl+O)</translation>
    </message>
    <message>
        <source>保存工程(&amp;S)</source>
        <translation>&amp;Save Project</translation>
    </message>
    <message>
        <source>保存当前工程文档
保存工程(Ctrl+S)</source>
        <translation>Save the current project
Save Project (Ctrl+S)</translation>
    </message>
    <message>
        <source>工程另存为(&amp;A)...</source>
        <translation>Save Project &amp;As...</translation>
    </message>
    <message>
        <source>用新的名字保存当前工程文档
工程另存为</source>
        <translation>Save the current project under a new name
Save Project As</translation>
    </message>
    <message>
        <source>选择PLC的类型和通信参数
PLC选择</source>
        <translation>Choose the PLC type and its communication parameters
PLC Selection</translation>
    </message>
    <message>
        <source>选择下载画面数据用的计算机通信口
选择通信口</source>
        <translation>Choose the computer&apos;s port for downloading
Communication Port</translation>
    </message>
    <message>
        <source>下载画面数据至Orbis
下载数据</source>
        <translation>Download the screens to the Orbis panel
Download</translation>
    </message>
    <message>
        <source>选择人机界面的类型
人机类型</source>
        <translation>Choose the type of the operator panel
Panel Type</translation>
    </message>
    <message>
        <source>导入旧工程(&amp;L)</source>
        <translation>&amp;Import Old Project...</translation>
    </message>
    <message>
        <source>导入一个旧工程文档
导入旧工程(Ctrl+L)</source>
        <translation>Import a project of the older format
Import Old Project (Ctrl+L)</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>退出应用程序;提示保存文档
退出</source>
        <translation>Quit the application; prompts to save the project
Exit</translation>
    </message>
    <message>
        <source>剪切(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>剪切选定内容并放到剪贴板上
剪切</source>
        <translation>Cut the selection and put it on the clipboard
Cut</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>复制选定内容并放到剪贴板上
复制</source>
        <translation>Copy the selection and put it on the clipboard
Copy</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>插入剪贴板内容
粘贴</source>
        <translation>Insert the clipboard contents
Paste</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏工具栏
显隐工具栏</source>
        <translation>Show or hide the toolbar
Toggle Toolbar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏
显隐状态栏</source>
        <translation>Show or hide the status bar
Toggle Status Bar</translation>
    </message>
    <message>
        <source>新建画面(&amp;N)</source>
        <translation>&amp;New Window</translation>
    </message>
    <message>
        <source>创建新画面
新建画面</source>
        <translation>Create a new window
New Window</translation>
    </message>
    <message>
        <source>复制画面(&amp;C)</source>
        <translation>&amp;Copy Window</translation>
    </message>
    <message>
        <source>复制当前画面到新画面
复制画面</source>
        <translation>Copy the current window to a new window
Copy Window</translation>
    </message>
    <message>
        <source>删除画面(&amp;D)</source>
        <translation>&amp;Delete Window</translation>
    </message>
    <message>
        <source>删除当前画面
删除画面</source>
        <translation>Delete the current window
Delete Window</translation>
    </message>
    <message>
        <source>设置Orbis(&amp;S)</source>
        <translation>Orbis &amp;Settings</translation>
    </message>
    <message>
        <source>设置Orbis初始画面号,口令等
设置Orbis</source>
        <translation>Set the Orbis initial window, password and more
Orbis Settings</translation>
    </message>
    <message>
        <source>报警列表(&amp;L)</source>
        <translation>Alarm &amp;List</translation>
    </message>
    <message>
        <source>设置报警列表内容
报警列表</source>
        <translation>Edit the alarm list
Alarm List</translation>
    </message>
    <message>
        <source>指示灯(&amp;L)</source>
        <translation>&amp;Lamp</translation>
    </message>
    <message>
        <source>在画面上放置指示灯
指示灯</source>
        <translation>Place a lamp on the window
Lamp</translation>
    </message>
    <message>
        <source>功能键(&amp;F)</source>
        <translation>&amp;Function Key</translation>
    </message>
    <message>
        <source>在画面上放置功能键
功能键</source>
        <translation>Place a function key on the window
Function Key</translation>
    </message>
    <message>
        <source>文本(&amp;T)</source>
        <translation>&amp;Text</translation>
    </message>
    <message>
        <source>在画面上放置文本
文本</source>
        <translation>Place a text on the window
Text</translation>
    </message>
    <message>
        <source>动态文本(&amp;D)</source>
        <translation>&amp;Dynamic Text</translation>
    </message>
    <message>
        <source>在画面上放置动态文本
动态文本</source>
        <translation>Place a dynamic text on the window
Dynamic Text</translation>
    </message>
    <message>
        <source>寄存器(&amp;R)</source>
        <translation>&amp;Register</translation>
    </message>
    <message>
        <source>在画面上放置寄存器
寄存器</source>
        <translation>Place a register on the window
Register</translation>
    </message>
    <message>
        <source>棒状图(&amp;B)</source>
        <translation>&amp;Bar Graph</translation>
    </message>
    <message>
        <source>在画面上放置棒状图
棒状图</source>
        <translation>Place a bar graph on the window
Bar Graph</translation>
    </message>
    <message>
        <source>趋势图(&amp;Q)</source>
        <translation>Trend Grap&amp;h</translation>
    </message>
    <message>
        <source>在画面上放置趋势图
趋势图</source>
        <translation>Place a trend graph on the window
Trend Graph</translation>
    </message>
    <message>
        <source>图片(&amp;P)</source>
        <translation>&amp;Picture</translation>
    </message>
    <message>
        <source>在画面上放置图片
图片</source>
        <translation>Place a picture on the window
Picture</translation>
    </message>
    <message>
        <source>显示程序信息,版本号和版权
关于</source>
        <translation>Show the program&apos;s information and version
About</translation>
    </message>
    <message>
        <source>画面属性</source>
        <translation>Window Property</translation>
    </message>
    <message>
        <source>修改当前画面属性
画面属性</source>
        <translation>Change the current window&apos;s properties
Window Property</translation>
    </message>
    <message>
        <source>PLC选择(&amp;P)...</source>
        <translation>&amp;PLC Selection...</translation>
    </message>
    <message>
        <source>选择通信口(&amp;C)...</source>
        <translation>&amp;Communication Port...</translation>
    </message>
    <message>
        <source>下载数据(&amp;D)</source>
        <translation>&amp;Download</translation>
    </message>
    <message>
        <source>人机类型(&amp;M)...</source>
        <translation>Panel T&amp;ype...</translation>
    </message>
    <message>
        <source>关于 Vanta(&amp;A)...</source>
        <translation>&amp;About Vanta...</translation>
    </message>
    <message>
        <source>放大显示(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>放大模拟显示屏
放大显示(Ctrl++)</source>
        <translation>Show the panel display larger
Zoom In (Ctrl++)</translation>
    </message>
    <message>
        <source>缩小显示(&amp;O)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>缩小模拟显示屏
缩小显示(Ctrl+-)</source>
        <translation>Show the panel display smaller
Zoom Out (Ctrl+-)</translation>
    </message>
    <message>
        <source>原始大小(&amp;R)</source>
        <translation>&amp;Normal Size</translation>
    </message>
    <message>
        <source>模拟显示屏恢复原始大小
原始大小(Ctrl+0)</source>
        <translation>Show the panel display at its normal size
Normal Size (Ctrl+0)</translation>
    </message>
    <message>
        <source>Vanta画面设置工具</source>
        <translation>Vanta Screen Editor</translation>
    </message>
    <message>
        <source>No protocol</source>
        <translation>No protocol</translation>
    </message>
    <message>
        <source>protocol number error!!!</source>
        <translation>Unknown protocol</translation>
    </message>
    <message>
        <source>仿真运行(&amp;M)</source>
        <translation>E&amp;mulate</translation>
    </message>
    <message>
        <source>编译工程并在仿真的Orbis上运行
仿真运行(F5)</source>
        <translation>Compile the project and run it on an emulated Orbis
Emulate (F5)</translation>
    </message>
    <message>
        <source>撤销(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>撤销上一步编辑
撤销</source>
        <translation>Undo the last edit
Undo</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>重做撤销了的编辑
重做</source>
        <translation>Redo the edit undone
Redo</translation>
    </message>
    <message>
        <source>再制(&amp;D)</source>
        <translation>&amp;Duplicate</translation>
    </message>
    <message>
        <source>在本画面上复制选定的部件
再制</source>
        <translation>Duplicate the selected components on this window
Duplicate</translation>
    </message>
    <message>
        <source>删除(&amp;L)</source>
        <translation>De&amp;lete</translation>
    </message>
    <message>
        <source>删除选定的部件
删除</source>
        <translation>Delete the selected components
Delete</translation>
    </message>
    <message>
        <source>全选(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>选定本画面上的全部部件
全选</source>
        <translation>Select every component of this window
Select All</translation>
    </message>
    <message>
        <source>置于顶层(&amp;F)</source>
        <translation>Bring to &amp;Front</translation>
    </message>
    <message>
        <source>把选定的部件放到最上层
置于顶层</source>
        <translation>Put the selected components on top
Bring to Front</translation>
    </message>
    <message>
        <source>置于底层(&amp;B)</source>
        <translation>Send to &amp;Back</translation>
    </message>
    <message>
        <source>把选定的部件放到最下层
置于底层</source>
        <translation>Put the selected components at the bottom
Send to Back</translation>
    </message>
    <message>
        <source>属性(&amp;O)</source>
        <translation>Pr&amp;operties</translation>
    </message>
    <message>
        <source>显示部件的属性页
属性</source>
        <translation>Show the component&apos;s properties
Properties</translation>
    </message>
    <message>
        <source>撤销%1(&amp;U)</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>重做%1(&amp;R)</source>
        <translation>&amp;Redo %1</translation>
    </message>
    <message>
        <source>修改PLC选择</source>
        <translation>Change PLC Selection</translation>
    </message>
    <message>
        <source>修改Orbis设置</source>
        <translation>Change Orbis Settings</translation>
    </message>
    <message>
        <source>修改报警列表</source>
        <translation>Change Alarm List</translation>
    </message>
    <message>
        <source>修正上下限</source>
        <translation>Correct Limits</translation>
    </message>
</context>
<context>
    <name>vanta::CNumEdit</name>
    <message>
        <source>允许: %1 至 %2</source>
        <translation>Allowed: %1 to %2</translation>
    </message>
    <message>
        <source> (十六进制)</source>
        <translation> (hexadecimal)</translation>
    </message>
    <message>
        <source> (八进制)</source>
        <translation> (octal)</translation>
    </message>
</context>
<context>
    <name>vanta::CSplashWnd</name>
    <message>
        <source>版本 %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Vanta画面设置工具</source>
        <translation>Vanta Screen Editor</translation>
    </message>
</context>
<context>
    <name>vanta::CVantaDoc</name>
    <message>
        <source>无标题</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Vanta工程文件 (*.osp)</source>
        <translation>Vanta project (*.osp)</translation>
    </message>
    <message>
        <source>所有文件 (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>旧工程文件 (*.grx)</source>
        <translation>Old project (*.grx)</translation>
    </message>
</context>
<context>
    <name>vanta::CVantaView</name>
    <message>
        <source>Window</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>删除画面(&amp;D)</source>
        <translation>&amp;Delete Window</translation>
    </message>
    <message>
        <source>复制画面(&amp;C)</source>
        <translation>&amp;Copy Window</translation>
    </message>
    <message>
        <source>bmp文件(*.bmp)</source>
        <translation>Bitmap pictures (*.bmp)</translation>
    </message>
    <message>
        <source>图片文件</source>
        <translation>Pictures </translation>
    </message>
    <message>
        <source>Open picture</source>
        <translation>Open picture</translation>
    </message>
    <message>
        <source>picture size error!!!</source>
        <translation>The picture is too large: at most 196 x 64 pixels.</translation>
    </message>
    <message>
        <source>Open the picture error!!!</source>
        <translation>The picture cannot be opened.</translation>
    </message>
    <message>
        <source>放置%1</source>
        <translation>Place %1</translation>
    </message>
    <message>
        <source>移动%1</source>
        <translation>Move %1</translation>
    </message>
    <message>
        <source>删除%1</source>
        <translation>Delete %1</translation>
    </message>
    <message>
        <source>剪切%1</source>
        <translation>Cut %1</translation>
    </message>
    <message>
        <source>粘贴%1</source>
        <translation>Paste %1</translation>
    </message>
    <message>
        <source>再制%1</source>
        <translation>Duplicate %1</translation>
    </message>
    <message>
        <source>修改%1</source>
        <translation>Change %1</translation>
    </message>
    <message>
        <source>新建画面%1</source>
        <translation>New Window %1</translation>
    </message>
    <message>
        <source>复制画面%1到画面%2</source>
        <translation>Copy Window %1 to Window %2</translation>
    </message>
    <message>
        <source>删除画面%1</source>
        <translation>Delete Window %1</translation>
    </message>
    <message>
        <source>将%1置于顶层</source>
        <translation>Bring %1 to Front</translation>
    </message>
    <message>
        <source>将%1置于底层</source>
        <translation>Send %1 to Back</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>寄存器</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>指示灯</source>
        <translation>Lamp</translation>
    </message>
    <message>
        <source>功能键</source>
        <translation>Function Key</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>棒状图</source>
        <translation>Bar Graph</translation>
    </message>
    <message>
        <source>趋势图</source>
        <translation>Trend Graph</translation>
    </message>
    <message>
        <source>动态文本</source>
        <translation>Dynamic Text</translation>
    </message>
    <message>
        <source>部件</source>
        <translation>Component</translation>
    </message>
    <message>
        <source>%1个部件</source>
        <translation>%1 Components</translation>
    </message>
    <message>
        <source>画面属性</source>
        <translation>Window Properties</translation>
    </message>
    <message>
        <source>剪贴板上没有可粘贴的部件：%1</source>
        <translation>The clipboard holds no components to paste: %1</translation>
    </message>
    <message>
        <source>粘贴的部件是为%1制作的；在%2下，以下字段已设为新放置部件的值：
%3</source>
        <translation>The pasted components were made for %1; under %2 these fields got the values of a newly placed component:
%3</translation>
    </message>
    <message>
        <source>%1 (%2, %3)</source>
        <translation>%1 at (%2, %3)</translation>
    </message>
    <message>
        <source>面板显示</source>
        <translation>Panel display</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>无法撤销这一步：%1</source>
        <translation>This step cannot be undone: %1</translation>
    </message>
    <message>
        <source>无法重做这一步：%1</source>
        <translation>This step cannot be redone: %1</translation>
    </message>
</context>
<context>
    <name>vanta::CopyScreenDialog</name>
    <message>
        <source>复制画面</source>
        <translation>Copy Window</translation>
    </message>
    <message>
        <source>Copy window %1 to window:</source>
        <translation>Copy window %1 to &amp;window:</translation>
    </message>
    <message>
        <source>The number is same with the current number!!!</source>
        <translation>That is the number of the window being copied: nothing is copied.</translation>
    </message>
    <message>
        <source>Window number exist!</source>
        <translation>Same window</translation>
    </message>
</context>
<context>
    <name>vanta::DownloadDialog</name>
    <message>
        <source>下载画面数据</source>
        <translation>Stage: sending the screens</translation>
    </message>
    <message>
        <source>取   消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Download will be canceled?</source>
        <translation>Cancel the download?</translation>
    </message>
    <message>
        <source>Download Data</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>No Response!!!</source>
        <translation>The panel does not answer. Check the cable and the port, and that the panel is switched on; the editor keeps trying until you close this note.</translation>
    </message>
    <message>
        <source>Vanta  no response</source>
        <translation>Vanta: no answer</translation>
    </message>
    <message>
        <source>连接面板</source>
        <translation>Stage: connecting to the panel</translation>
    </message>
    <message>
        <source>读取面板信息</source>
        <translation>Stage: reading the panel&apos;s information</translation>
    </message>
    <message>
        <source>清除面板上的旧画面</source>
        <translation>Stage: invalidating the panel&apos;s old screens</translation>
    </message>
    <message>
        <source>下载协议驱动程序</source>
        <translation>Stage: sending the protocol driver</translation>
    </message>
    <message>
        <source>确认画面数据</source>
        <translation>Stage: marking the screens valid</translation>
    </message>
    <message>
        <source>已发送 %1 / %2 字节</source>
        <translation>%1 of %2 bytes sent</translation>
    </message>
    <message>
        <source>剩余时间: 估算中</source>
        <translation>Time left: estimating</translation>
    </message>
    <message>
        <source>剩余时间: %1 秒</source>
        <translation>Time left: %1 s</translation>
    </message>
    <message>
        <source>剩余时间: %1 分 %2 秒</source>
        <translation>Time left: %1 min %2 s</translation>
    </message>
    <message>
        <source>面板上的旧画面在下载开始时已被清除: 面板需要一次完整的下载.</source>
        <translation>The panel&apos;s old screens were invalidated when the download began: the panel needs a complete download before it shows screens again.</translation>
    </message>
</context>
<context>
    <name>vanta::DynamicPage</name>
    <message>
        <source>动态文本属性</source>
        <translation>Dynamic Text Property</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>倍角</source>
        <translation>Double size</translation>
    </message>
    <message>
        <source>反相</source>
        <translation>Inverse</translation>
    </message>
    <message>
        <source>模式:</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>HEX/BCD</source>
        <translation>HEX/BCD</translation>
    </message>
    <message>
        <source>十进制</source>
        <translation>Decimal</translation>
    </message>
    <message>
        <source>有符号数</source>
        <translation>Signed</translation>
    </message>
    <message>
        <source>显示文本</source>
        <translation>Display texts</translation>
    </message>
</context>
<context>
    <name>vanta::DynamicTextGrid</name>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Content</translation>
    </message>
</context>
<context>
    <name>vanta::EmulatorWindow</name>
    <message>
        <source>仿真运行</source>
        <translation>Emulator</translation>
    </message>
    <message>
        <source>寄存器表</source>
        <translation>Register table</translation>
    </message>
    <message>
        <source>%1: 通信正常</source>
        <translation>%1: connected</translation>
    </message>
    <message>
        <source>%1: 正在连接...</source>
        <translation>%1: connecting...</translation>
    </message>
    <message>
        <source>%1: 通信中断 (%2)</source>
        <translation>%1: link lost (%2)</translation>
    </message>
    <message>
        <source>画面 %1</source>
        <translation>Window %1</translation>
    </message>
    <message>
        <source>工程已修改, 仿真运行的仍是原来的画面。</source>
        <translation>The project has changed; the emulator still runs it as it was.</translation>
    </message>
    <message>
        <source>重新载入(&amp;R)</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>画面:</source>
        <translation>Window:</translation>
    </message>
    <message>
        <source>缩放:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>键盘: 方向键, Esc, Enter=ENT, S或空格=SET, A=ALM, Backspace、Delete或C=CLR, 0-9</source>
        <translation>Keyboard: arrow keys, Esc, Enter=ENT, S or Space=SET, A=ALM, Backspace, Delete or C=CLR, 0-9</translation>
    </message>
    <message>
        <source>局号</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>PLC</source>
        <translation>PLC</translation>
    </message>
    <message>
        <source>Modbus RTU</source>
        <translation>Modbus RTU</translation>
    </message>
    <message>
        <source>Modbus TCP</source>
        <translation>Modbus TCP</translation>
    </message>
    <message>
        <source>通信口:</source>
        <translation>Serial port:</translation>
    </message>
    <message>
        <source>主机:</source>
        <translation>Host:</translation>
    </message>
    <message>
        <source>端口:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>周期:</source>
        <translation>Interval:</translation>
    </message>
    <message>
        <source>连接(&amp;C)</source>
        <translation>&amp;Connect</translation>
    </message>
    <message>
        <source>键盘: %1</source>
        <translation>Keyboard: %1</translation>
    </message>
</context>
<context>
    <name>vanta::FunctionPage</name>
    <message>
        <source>功能键属性</source>
        <translation>Function Key Property</translation>
    </message>
    <message>
        <source>坐标</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>特性</source>
        <translation>Attributes</translation>
    </message>
    <message>
        <source>反相</source>
        <translation>Inverse</translation>
    </message>
    <message>
        <source>倍角</source>
        <translation>Double size</translation>
    </message>
    <message>
        <source>功能键</source>
        <translation>Function key</translation>
    </message>
    <message>
        <source>键:</source>
        <translation>Key:</translation>
    </message>
    <message>
        <source>手形</source>
        <translation>Hand</translation>
    </message>
    <message>
        <source>隐形</source>
        <translation>Hidden</translation>
    </message>
    <message>
        <source>加密</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>设定线圈</source>
        <translation>Set coil</translation>
    </message>
    <message>
        <source>画面跳转</source>
        <translation>Jump to window</translation>
    </message>
    <message>
        <source>设定寄存器</source>
        <translation>Set register</translation>
    </message>
    <message>
        <source>配方</source>
        <translation>Recipe</translation>
    </message>
    <message>
        <source>线圈</source>
        <translation>Coil</translation>
    </message>
    <message>
        <source>局号:</source>
        <translation>Station:</translation>
    </message>
    <message>
        <source>类型:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>参数:</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>设定为ON</source>
        <translation>Set ON</translation>
    </message>
    <message>
        <source>设定为OFF</source>
        <translation>Set OFF</translation>
    </message>
    <message>
        <source>取反</source>
        <translation>Toggle</translation>
    </message>
    <message>
        <source>瞬时ON</source>
        <translation>Momentary ON</translation>
    </message>
    <message>
        <source>画面</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>跳转至:</source>
        <translation>Jump to:</translation>
    </message>
    <message>
        <source>报警列表</source>
        <translation>Alarm List</translation>
    </message>
    <message>
        <source>上传</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>下载</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>基址增加</source>
        <translation>Base up</translation>
    </message>
    <message>
        <source>基址减少</source>
        <translation>Base down</translation>
    </message>
    <message>
        <source>目标地址:</source>
        <translation>Target address:</translation>
    </message>
    <message>
        <source>长度:</source>
        <translation>Length:</translation>
    </message>
    <message>
        <source>上下限:</source>
        <translation>Limit:</translation>
    </message>
</context>
<context>
    <name>vanta::ImageBudgetLabel</name>
    <message>
        <source>映像: 下载映像的字节数, 面板可容 32,768; 窄字, 宽字: 映像中的字形数; 部件: 当前画面的部件数</source>
        <translation>Image: bytes of the download image, of the panel&apos;s 32,768; Narrow, Wide: glyphs in the image; Parts: parts on the current window</translation>
    </message>
    <message>
        <source>映像 %1/%2</source>
        <translation>Image %1/%2</translation>
    </message>
    <message>
        <source>窄字 %1/%2</source>
        <translation>Narrow %1/%2</translation>
    </message>
    <message>
        <source>宽字 %1</source>
        <translation>Wide %1</translation>
    </message>
    <message>
        <source>映像: 无法编译</source>
        <translation>Image: cannot be compiled</translation>
    </message>
    <message>
        <source>部件 %1/%2</source>
        <translation>Parts %1/%2</translation>
    </message>
</context>
<context>
    <name>vanta::ImportDialog</name>
    <message>
        <source>导入旧的工程文件</source>
        <translation>Import Old Project File</translation>
    </message>
    <message>
        <source>开始转换</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>取   消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Convert Old Project...</source>
        <translation>Converting the old project...</translation>
    </message>
</context>
<context>
    <name>vanta::LampPage</name>
    <message>
        <source>指示灯属性</source>
        <translation>Lamp Property</translation>
    </message>
    <message>
        <source>坐标</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>特性</source>
        <translation>Attributes</translation>
    </message>
    <message>
        <source>倍角</source>
        <translation>Double size</translation>
    </message>
    <message>
        <source>显示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>种类:</source>
        <translation>Kind:</translation>
    </message>
    <message>
        <source>圆形</source>
        <translation>Round</translation>
    </message>
    <message>
        <source>方形</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>逻辑:</source>
        <translation>Logic:</translation>
    </message>
    <message>
        <source>正逻辑</source>
        <translation>Positive</translation>
    </message>
    <message>
        <source>负逻辑</source>
        <translation>Negative</translation>
    </message>
    <message>
        <source>线圈</source>
        <translation>Coil</translation>
    </message>
    <message>
        <source>偏移:</source>
        <translation>Offset:</translation>
    </message>
</context>
<context>
    <name>vanta::NewScreenDialog</name>
    <message>
        <source>新建画面</source>
        <translation>New Window</translation>
    </message>
    <message>
        <source>画面号:</source>
        <translation>Window &amp;number:</translation>
    </message>
    <message>
        <source>画面描述:</source>
        <translation>&amp;Description:</translation>
    </message>
    <message>
        <source>No.%1 window exist</source>
        <translation>Window %1 exists already: choose another number.</translation>
    </message>
    <message>
        <source>window exist</source>
        <translation>Window exists</translation>
    </message>
</context>
<context>
    <name>vanta::PanelSettingsDialog</name>
    <message>
        <source>从不</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>1分钟后</source>
        <translation>After 1 minute</translation>
    </message>
    <message>
        <source>2分钟后</source>
        <translation>After 2 minutes</translation>
    </message>
    <message>
        <source>3分钟后</source>
        <translation>After 3 minutes</translation>
    </message>
    <message>
        <source>5分钟后</source>
        <translation>After 5 minutes</translation>
    </message>
    <message>
        <source>10分钟后</source>
        <translation>After 10 minutes</translation>
    </message>
    <message>
        <source>15分钟后</source>
        <translation>After 15 minutes</translation>
    </message>
    <message>
        <source>20分钟后</source>
        <translation>After 20 minutes</translation>
    </message>
    <message>
        <source>30分钟后</source>
        <translation>After 30 minutes</translation>
    </message>
    <message>
        <source>45分钟后</source>
        <translation>After 45 minutes</translation>
    </message>
    <message>
        <source>1小时后</source>
        <translation>After 1 hour</translation>
    </message>
    <message>
        <source>设置Orbis</source>
        <translation>Orbis Settings</translation>
    </message>
    <message>
        <source>Orbis参数</source>
        <translation>Orbis parameters</translation>
    </message>
    <message>
        <source>初始画面号:</source>
        <translation>&amp;Initial window:</translation>
    </message>
    <message>
        <source>口令:</source>
        <translation>Pass&amp;word:</translation>
    </message>
    <message>
        <source>屏幕保护:</source>
        <translation>Screen sa&amp;ver:</translation>
    </message>
    <message>
        <source>关闭背景光</source>
        <translation>&amp;Backlight off</translation>
    </message>
    <message>
        <source>显示画面</source>
        <translation>Show win&amp;dow</translation>
    </message>
    <message>
        <source>Orbis控制</source>
        <translation>Orbis control</translation>
    </message>
    <message>
        <source>控制寄存器号:</source>
        <translation>Control &amp;register:</translation>
    </message>
    <message>
        <source>PLC局号:</source>
        <translation>PLC s&amp;tation:</translation>
    </message>
    <message>
        <source>自动变换显示画面,</source>
        <translation>&amp;Change window automatically</translation>
    </message>
    <message>
        <source>报告当前画面号</source>
        <translation>Re&amp;port current window</translation>
    </message>
    <message>
        <source>使用时钟模块</source>
        <translation>Use c&amp;lock module</translation>
    </message>
    <message>
        <source>确   定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取   消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vanta::PicturePage</name>
    <message>
        <source>图片属性</source>
        <translation>Picture Property</translation>
    </message>
    <message>
        <source>坐标</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>尺寸</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>宽:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>高:</source>
        <translation>Height:</translation>
    </message>
</context>
<context>
    <name>vanta::PlcDialog</name>
    <message>
        <source>PLC选择</source>
        <translation>PLC Selection</translation>
    </message>
    <message>
        <source>PLC厂家及类型:</source>
        <translation>PLC &amp;make and type:</translation>
    </message>
    <message>
        <source>设置通信参数</source>
        <translation>Communication parameters</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>&amp;Baud rate:</translation>
    </message>
    <message>
        <source>数据位</source>
        <translation>&amp;Data bits:</translation>
    </message>
    <message>
        <source>停止位</source>
        <translation>S&amp;top bits:</translation>
    </message>
    <message>
        <source>校验位</source>
        <translation>P&amp;arity:</translation>
    </message>
    <message>
        <source>选  项</source>
        <translation>&amp;Option:</translation>
    </message>
    <message>
        <source>局号:</source>
        <translation>&amp;Station:</translation>
    </message>
    <message>
        <source>E5超时:</source>
        <translation>&amp;E5 time-out:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vanta::PortDialog</name>
    <message>
        <source>选择通信口</source>
        <translation>Communication Port</translation>
    </message>
    <message>
        <source>通信口:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>选择计算机的通信口用于下载画面数据...</source>
        <translation>Choose the computer&apos;s port for downloading the screens.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>也可以输入任何串口设备的路径, 例如 /dev/ttyUSB0 或伪终端.</source>
        <translation>You can also type the path of any serial device, for example /dev/ttyUSB0 or a pseudo-terminal.</translation>
    </message>
    <message>
        <source>%1: 计算机的第 %2 个串口, 设备 %3.</source>
        <translation>%1: serial port %2 of the computer, device %3.</translation>
    </message>
    <message>
        <source>请选择或输入一个通信口.</source>
        <translation>Choose or type a port.</translation>
    </message>
    <message>
        <source>设备 %1.</source>
        <translation>Device %1.</translation>
    </message>
    <message>
        <source>设备 %1 现在不存在.</source>
        <translation>There is no device %1 at the moment.</translation>
    </message>
</context>
<context>
    <name>vanta::PreviewDock</name>
    <message>
        <source>面板预览</source>
        <translation>Panel Preview</translation>
    </message>
    <message>
        <source>面板预览(&amp;P)</source>
        <translation>&amp;Panel Preview</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>全尺寸...</source>
        <translation>Full Size...</translation>
    </message>
    <message>
        <source>在单独的窗口中放大显示面板预览</source>
        <translation>Show the panel preview enlarged in a window of its own</translation>
    </message>
    <message>
        <source>面板将显示的当前画面, 由下载映像绘制</source>
        <translation>The current window as the panel will show it, drawn from the download image</translation>
    </message>
    <message>
        <source>画面 %1: 无法编译</source>
        <translation>Window %1: cannot be compiled</translation>
    </message>
    <message>
        <source>画面 %1</source>
        <translation>Window %1</translation>
    </message>
    <message>
        <source>重置示例值</source>
        <translation>Reset Samples</translation>
    </message>
    <message>
        <source>所有示例值恢复为默认值, 预览恢复为布局画面</source>
        <translation>Put every sample value back to its default; the preview shows the layout again</translation>
    </message>
    <message>
        <source>部件</source>
        <translation>Part</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>示例值</source>
        <translation>Sample Value</translation>
    </message>
    <message>
        <source>面板显示</source>
        <translation>Panel Shows</translation>
    </message>
    <message>
        <source>寄存器和棒图: 寄存器中的原始数值 (HEX/BCD 为十六进制); 指示灯: 位; 动态文本: 显示的文本</source>
        <translation>Registers and bar graphs: the raw value the register holds (hexadecimal for HEX/BCD); lamps: the bit; dynamic texts: the text shown</translation>
    </message>
    <message>
        <source>面板按寄存器的格式显示的文字</source>
        <translation>The text the panel shows, in the register&apos;s format</translation>
    </message>
    <message>
        <source>指示灯的位: 选中为 1</source>
        <translation>The lamp&apos;s bit: checked is 1</translation>
    </message>
    <message>
        <source>面板显示的文本</source>
        <translation>The text the panel shows</translation>
    </message>
    <message>
        <source>寄存器中的原始数值, 十六进制</source>
        <translation>The raw value the register holds, in hexadecimal</translation>
    </message>
    <message>
        <source>寄存器中的原始数值 (%1 字节, %2)</source>
        <translation>The raw value the register holds (%1 bytes, %2)</translation>
    </message>
    <message>
        <source>有符号</source>
        <translation>signed</translation>
    </message>
    <message>
        <source>无符号</source>
        <translation>unsigned</translation>
    </message>
    <message>
        <source>画面 %1, 显示示例值</source>
        <translation>Window %1, with sample values</translation>
    </message>
</context>
<context>
    <name>vanta::ProblemsDock</name>
    <message>
        <source>画面设置</source>
        <translation>Window settings</translation>
    </message>
    <message>
        <source>设置Orbis</source>
        <translation>Orbis Settings</translation>
    </message>
    <message>
        <source>报警列表</source>
        <translation>Alarm List</translation>
    </message>
    <message>
        <source>工程</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>问题</source>
        <translation>Problems</translation>
    </message>
    <message>
        <source>问题列表(&amp;L)</source>
        <translation>Problem &amp;List</translation>
    </message>
    <message>
        <source>严重性</source>
        <translation>Severity</translation>
    </message>
    <message>
        <source>画面</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>部件</source>
        <translation>Part</translation>
    </message>
    <message>
        <source>没有问题</source>
        <translation>No problems</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message numerus="yes">
        <source>%n 个错误</source>
        <translation>
            <numerusform>%n error</numerusform>
            <numerusform>%n errors</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个警告</source>
        <translation>
            <numerusform>%n warning</numerusform>
            <numerusform>%n warnings</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vanta::RegisterBinding</name>
    <message>
        <source>局号:</source>
        <translation>Station:</translation>
    </message>
    <message>
        <source>地址:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>类型:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>子类型:</source>
        <translation>Parameter:</translation>
    </message>
</context>
<context>
    <name>vanta::RegisterPage</name>
    <message>
        <source>寄存器属性</source>
        <translation>Register Property</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>倍角</source>
        <translation>Double size</translation>
    </message>
    <message>
        <source>反相</source>
        <translation>Inverse</translation>
    </message>
    <message>
        <source>位数:</source>
        <translation>Digits:</translation>
    </message>
    <message>
        <source>小数位:</source>
        <translation>Decimals:</translation>
    </message>
    <message>
        <source>有符号数</source>
        <translation>Signed</translation>
    </message>
    <message>
        <source>模式:</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>HEX/BCD</source>
        <translation>HEX/BCD</translation>
    </message>
    <message>
        <source>十进制</source>
        <translation>Decimal</translation>
    </message>
    <message>
        <source>寄存器个数:</source>
        <translation>Registers:</translation>
    </message>
    <message>
        <source>设定</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>加密</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>上下限</source>
        <translation>Limits</translation>
    </message>
    <message>
        <source>原始数据</source>
        <translation>Raw data</translation>
    </message>
    <message>
        <source>工程数据</source>
        <translation>Engineering data</translation>
    </message>
    <message>
        <source>输入上限:</source>
        <translation>Input maximum:</translation>
    </message>
    <message>
        <source>输入下限:</source>
        <translation>Input minimum:</translation>
    </message>
    <message>
        <source>工程量上限:</source>
        <translation>Engineering maximum:</translation>
    </message>
    <message>
        <source>工程量下限:</source>
        <translation>Engineering minimum:</translation>
    </message>
</context>
<context>
    <name>vanta::ScreenPage</name>
    <message>
        <source>画面属性</source>
        <translation>Window Property</translation>
    </message>
    <message>
        <source>画面描述:</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>按向上键至画面:</source>
        <translation>Up key to window:</translation>
    </message>
    <message>
        <source>按向下键至画面:</source>
        <translation>Down key to window:</translation>
    </message>
</context>
<context>
    <name>vanta::TextPage</name>
    <message>
        <source>文本属性</source>
        <translation>Text Property</translation>
    </message>
    <message>
        <source>坐标</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>特性</source>
        <translation>Attributes</translation>
    </message>
    <message>
        <source>倍角</source>
        <translation>Double size</translation>
    </message>
    <message>
        <source>反相</source>
        <translation>Inverse</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>文字串:</source>
        <translation>Text:</translation>
    </message>
</context>
</TS>
