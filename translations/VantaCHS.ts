<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>CoreText</name>
    <message>
        <source>the panel image would be %1 bytes, more than the panel&apos;s 32768</source>
        <translation>面板映像将有 %1 字节，超过面板的 32768 字节</translation>
    </message>
    <message>
        <source>Remove texts, pictures or components.</source>
        <translation>请删除一些文本、图片或部件。</translation>
    </message>
    <message>
        <source>the initial screen %1 does not exist; the panel would start on screen %2 instead</source>
        <translation>初始画面 %1 不存在；面板将改从画面 %2 开始</translation>
    </message>
    <message>
        <source>Choose an existing initial screen in the panel settings.</source>
        <translation>请在“设置Orbis”中选择已有的初始画面。</translation>
    </message>
    <message>
        <source>the screen-saver screen %1 does not exist; the panel would show screen %2 instead</source>
        <translation>屏幕保护画面 %1 不存在；面板将改为显示画面 %2</translation>
    </message>
    <message>
        <source>Choose an existing screen for the screen saver in the panel settings.</source>
        <translation>请在“设置Orbis”中为屏幕保护选择已有的画面。</translation>
    </message>
    <message>
        <source>the start coil&apos;s %1 %2 lies outside the range %3 of %4</source>
        <translation>起始线圈的%1 %2 超出%4 的范围 %3</translation>
    </message>
    <message>
        <source>Choose the start coil&apos;s %1 within %2 in the alarm list.</source>
        <translation>请在报警列表中将起始线圈的%1设在 %2 之内。</translation>
    </message>
    <message>
        <source>the %1 %2 lies outside the range %3 of %4</source>
        <translation>%1 %2 超出%4 的范围 %3</translation>
    </message>
    <message>
        <source>Choose the %1 within %2 in the panel settings.</source>
        <translation>请在“设置Orbis”中将%1设在 %2 之内。</translation>
    </message>
    <message>
        <source>the control register&apos;s type is number %1, but %2 offers %3</source>
        <translation>控制寄存器的类型是第 %1 种，但%2只提供 %3 种</translation>
    </message>
    <message>
        <source>Choose the control register&apos;s type in the panel settings.</source>
        <translation>请在“设置Orbis”中选择控制寄存器的类型。</translation>
    </message>
    <message>
        <source>the up key leads to screen %1, which does not exist; pressing it on the panel does nothing</source>
        <translation>向上键通往画面 %1，该画面不存在；在面板上按此键没有作用</translation>
    </message>
    <message>
        <source>the down key leads to screen %1, which does not exist; pressing it on the panel does nothing</source>
        <translation>向下键通往画面 %1，该画面不存在；在面板上按此键没有作用</translation>
    </message>
    <message>
        <source>Choose an existing screen, or 0 for none, on the screen&apos;s page.</source>
        <translation>请在画面属性中选择已有的画面，或填 0 表示不跳转。</translation>
    </message>
    <message>
        <source>the number %1 is given to more than one screen; the panel could show only the first</source>
        <translation>画面号 %1 被多个画面使用；面板只能显示其中第一个</translation>
    </message>
    <message>
        <source>Give each screen its own number.</source>
        <translation>请给每个画面不同的画面号。</translation>
    </message>
    <message>
        <source>it holds %1 components; the panel shows at most 255 on a screen</source>
        <translation>画面上有 %1 个部件；面板每个画面最多显示 255 个</translation>
    </message>
    <message>
        <source>Move some of them to another screen.</source>
        <translation>请把其中一些移到别的画面。</translation>
    </message>
    <message>
        <source>it holds %1 texts, but %2 has no alarm list; the download sends them all the same</source>
        <translation>报警列表有 %1 条文本，但%2没有报警列表；下载时仍会发送这些文本</translation>
    </message>
    <message>
        <source>Choose a protocol with an alarm list to edit them.</source>
        <translation>请选择有报警列表的协议来编辑这些文本。</translation>
    </message>
    <message>
        <source>it holds %1 texts; the panel takes at most 255</source>
        <translation>报警列表有 %1 条文本；面板最多接受 255 条</translation>
    </message>
    <message>
        <source>Delete the texts after the 255th.</source>
        <translation>请删除第 255 条之后的文本。</translation>
    </message>
    <message>
        <source>it holds %1 texts, but the start register has %2 coils from the bit offset on</source>
        <translation>报警列表有 %1 条文本，但起始寄存器从偏移起只有 %2 个线圈</translation>
    </message>
    <message>
        <source>Keep at most %1 texts, or lower the bit offset.</source>
        <translation>请最多保留 %1 条文本，或减小偏移。</translation>
    </message>
    <message>
        <source>alarm text %1</source>
        <translation>报警文本 %1</translation>
    </message>
    <message>
        <source>the start coil&apos;s register type is number %1, but %2 offers %3</source>
        <translation>起始线圈的寄存器类型是第 %1 种，但%2只提供 %3 种</translation>
    </message>
    <message>
        <source>Choose the register type in the alarm list.</source>
        <translation>请在报警列表中选择寄存器类型。</translation>
    </message>
    <message>
        <source>its %1 %2 lies outside the range %3 of %4</source>
        <translation>%1 %2 超出%4 的范围 %3</translation>
    </message>
    <message>
        <source>Choose its %1 within %2 on its page.</source>
        <translation>请在属性页中将%1设在 %2 之内。</translation>
    </message>
    <message>
        <source>it names %1 %2, but %3 has none</source>
        <translation>%1是第 %2 种，但%3没有任何%1</translation>
    </message>
    <message>
        <source>Choose another protocol or delete the component.</source>
        <translation>请选择其他协议，或删除该部件。</translation>
    </message>
    <message>
        <source>it names %1 %2, but %3 offers %4; the download would send the code of the last one, %5</source>
        <translation>%1是第 %2 种，但%3只提供 %4 种；下载时将发送最后一种 %5 的代码</translation>
    </message>
    <message>
        <source>Choose the %1 on its page.</source>
        <translation>请在属性页中选择%1。</translation>
    </message>
    <message>
        <source>it shows %1 characters; a register takes at most 255</source>
        <translation>它显示 %1 个字符；寄存器最多显示 255 个</translation>
    </message>
    <message>
        <source>Lower its digits.</source>
        <translation>请减少位数。</translation>
    </message>
    <message>
        <source>its input limits are in the wrong order (upper %1, lower %2); the download would write upper %3, lower %4 and keep them in the project</source>
        <translation>输入上下限顺序颠倒（上限 %1，下限 %2）；下载时将写入上限 %3、下限 %4，并保存在工程中</translation>
    </message>
    <message>
        <source>Set the upper limit above the lower one.</source>
        <translation>请把上限设得比下限高。</translation>
    </message>
    <message>
        <source>its full scale %1 is not above its zero scale %2; the download would write full scale %3, zero scale %4 and keep them in the project</source>
        <translation>满额度值 %1 不高于零额度值 %2；下载时将写入满额度值 %3、零额度值 %4，并保存在工程中</translation>
    </message>
    <message>
        <source>Set the full scale above the zero scale.</source>
        <translation>请把满额度值设得比零额度值高。</translation>
    </message>
    <message>
        <source>the value %1 of %2 lies outside %3, the values its register holds; the panel compares the low 16 bits, %4</source>
        <translation>%2的值 %1 超出其寄存器能存放的范围 %3；面板只比较低 16 位，即 %4</translation>
    </message>
    <message>
        <source>Change the value of %1.</source>
        <translation>请修改%1的值。</translation>
    </message>
    <message>
        <source>entries %1 and %2 both stand for the value %3; the panel shows the text of entry %4 and never that of entry %5</source>
        <translation>第 %1 项和第 %2 项都对应值 %3；面板显示第 %4 项的文本，从不显示第 %5 项的文本</translation>
    </message>
    <message>
        <source>Give each entry its own value.</source>
        <translation>请给每一项不同的值。</translation>
    </message>
    <message>
        <source>%1 entries are in use; the panel takes at most 255</source>
        <translation>使用了 %1 项；面板最多接受 255 项</translation>
    </message>
    <message>
        <source>Clear the values of the entries it does not need.</source>
        <translation>请清除不需要的项的值。</translation>
    </message>
    <message>
        <source>jumps to screen %1, which does not exist; the key does nothing on the panel</source>
        <translation>跳转到画面 %1，该画面不存在；此键在面板上没有作用</translation>
    </message>
    <message>
        <source>Choose an existing screen or add screen %1.</source>
        <translation>请选择已有的画面，或添加画面 %1。</translation>
    </message>
    <message>
        <source>it stands for key number %1, which the panel does not have</source>
        <translation>它对应第 %1 号键，面板上没有这个键</translation>
    </message>
    <message>
        <source>Choose one of the panel&apos;s keys on its page.</source>
        <translation>请在属性页中选择面板上的一个键。</translation>
    </message>
    <message>
        <source>its action %1 is none the panel knows</source>
        <translation>动作 %1 不是面板能识别的动作</translation>
    </message>
    <message>
        <source>Choose the key&apos;s action on its page.</source>
        <translation>请在属性页中选择此键的动作。</translation>
    </message>
    <message>
        <source>it sets a coil, but no coil operation is chosen</source>
        <translation>它设定线圈，但没有选择线圈操作</translation>
    </message>
    <message>
        <source>it sets a coil, but %1 has no coils</source>
        <translation>它设定线圈，但%1没有线圈</translation>
    </message>
    <message>
        <source>Choose another action for the key.</source>
        <translation>请为此键选择其他动作。</translation>
    </message>
    <message>
        <source>Choose ON, OFF, toggle or momentary ON on its page.</source>
        <translation>请在属性页中选择设定为ON、设定为OFF、取反或瞬时ON。</translation>
    </message>
    <message>
        <source>it runs a recipe action, which %1 does not have</source>
        <translation>它执行配方动作，但%1没有配方</translation>
    </message>
    <message>
        <source>its recipe operation %1 is none the panel knows</source>
        <translation>配方操作 %1 不是面板能识别的操作</translation>
    </message>
    <message>
        <source>Choose the recipe operation on its page.</source>
        <translation>请在属性页中选择配方操作。</translation>
    </message>
    <message>
        <source>%1 is %2 bytes long; the panel takes at most 255</source>
        <translation>%1长 %2 字节；面板最多接受 255 字节</translation>
    </message>
    <message>
        <source>Shorten the text.</source>
        <translation>请缩短文本。</translation>
    </message>
    <message>
        <source>%1 ends with half a double-byte character</source>
        <translation>%1的末尾是半个双字节字符</translation>
    </message>
    <message>
        <source>Delete the last character and type it again.</source>
        <translation>请删除最后一个字符并重新输入。</translation>
    </message>
    <message>
        <source>%1 holds bytes that are no GBK character (%2)</source>
        <translation>%1含有不是 GBK 字符的字节（%2）</translation>
    </message>
    <message>
        <source>Type the text again.</source>
        <translation>请重新输入文本。</translation>
    </message>
    <message>
        <source>its text</source>
        <translation>文本</translation>
    </message>
    <message>
        <source>the text of %1</source>
        <translation>%1的文本</translation>
    </message>
    <message>
        <source>entry %1</source>
        <translation>第 %1 项</translation>
    </message>
    <message>
        <source>the bytes %1 are not a GBK character at byte offset %2</source>
        <translation>字节偏移 %2 处的字节 %1 不是 GBK 字符</translation>
    </message>
    <message>
        <source>the byte %1 is not GBK text at byte offset %2</source>
        <translation>字节偏移 %2 处的字节 %1 不是 GBK 文本</translation>
    </message>
    <message>
        <source>the text ends inside a GBK double-byte character at byte offset %1</source>
        <translation>文本在字节偏移 %1 处结束于双字节字符的中间</translation>
    </message>
    <message>
        <source>the GBK code page is not available</source>
        <translation>没有 GBK 代码页</translation>
    </message>
    <message>
        <source>lies outside the 192 x 64 display (x 0..191, y 0..63)</source>
        <translation>位于 192 x 64 显示屏之外（x 0..191，y 0..63）</translation>
    </message>
    <message>
        <source>Move it onto the display.</source>
        <translation>请把它移到显示屏上。</translation>
    </message>
    <message>
        <source>is %1 pixels wide, wider than the 192-pixel display; it stays at x = %2 and the panel cuts it off at the right edge</source>
        <translation>宽 %1 像素，比 192 像素宽的显示屏还宽；它留在 x = %2 处，面板在右边缘把它截断</translation>
    </message>
    <message>
        <source>Make it narrower (a shorter text, fewer digits, no double size).</source>
        <translation>请把它变窄（缩短文本、减少位数或取消倍角）。</translation>
    </message>
    <message>
        <source>reaches x = %1, past the display&apos;s right edge at x = 191; the panel cuts it off there</source>
        <translation>延伸到 x = %1，超出显示屏右边缘 x = 191；面板在那里把它截断</translation>
    </message>
    <message>
        <source>Move it left or make it narrower.</source>
        <translation>请把它左移或变窄。</translation>
    </message>
    <message>
        <source>is %1 pixels high, higher than the 64-pixel display; the panel cuts it off at the bottom edge</source>
        <translation>高 %1 像素，比 64 像素高的显示屏还高；面板在下边缘把它截断</translation>
    </message>
    <message>
        <source>Make it lower.</source>
        <translation>请把它变矮。</translation>
    </message>
    <message>
        <source>reaches y = %1, past the display&apos;s bottom edge at y = 63; the panel cuts it off there</source>
        <translation>延伸到 y = %1，超出显示屏下边缘 y = 63；面板在那里把它截断</translation>
    </message>
    <message>
        <source>Move it up or make it lower.</source>
        <translation>请把它上移或变矮。</translation>
    </message>
    <message>
        <source>is completely covered by %1, which the panel draws over it</source>
        <translation>被%1完全遮住，面板把后者画在它上面</translation>
    </message>
    <message>
        <source>Move one of them, or delete the hidden one.</source>
        <translation>请移开其中一个，或删除被遮住的部件。</translation>
    </message>
    <message>
        <source>overlaps %1, which the panel draws over part of it</source>
        <translation>与%1部分重叠，面板把后者画在它上面</translation>
    </message>
    <message>
        <source>Move one of them so that they do not overlap.</source>
        <translation>请移开其中一个，使它们不再重叠。</translation>
    </message>
    <message>
        <source>the download refuses the project: %1</source>
        <translation>下载拒绝此工程：%1</translation>
    </message>
    <message>
        <source>Correct what the message names.</source>
        <translation>请更正消息所指出的问题。</translation>
    </message>
    <message>
        <source>PLC station</source>
        <translation>PLC局号</translation>
    </message>
    <message>
        <source>control register</source>
        <translation>控制寄存器号</translation>
    </message>
    <message>
        <source>station</source>
        <translation>局号</translation>
    </message>
    <message>
        <source>address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>sub-address</source>
        <translation>子地址</translation>
    </message>
    <message>
        <source>bit offset</source>
        <translation>偏移</translation>
    </message>
    <message>
        <source>bit number</source>
        <translation>位号</translation>
    </message>
    <message>
        <source>number of digits</source>
        <translation>位数</translation>
    </message>
    <message>
        <source>number of decimals</source>
        <translation>小数位</translation>
    </message>
    <message>
        <source>register count</source>
        <translation>寄存器个数</translation>
    </message>
    <message>
        <source>value</source>
        <translation>设定值</translation>
    </message>
    <message>
        <source>target address</source>
        <translation>目标地址</translation>
    </message>
    <message>
        <source>length</source>
        <translation>长度</translation>
    </message>
    <message>
        <source>step</source>
        <translation>步长</translation>
    </message>
    <message>
        <source>limit</source>
        <translation>限值</translation>
    </message>
    <message>
        <source>number of points</source>
        <translation>点数</translation>
    </message>
    <message>
        <source>sampling interval</source>
        <translation>采样间隔</translation>
    </message>
    <message>
        <source>register type</source>
        <translation>寄存器类型</translation>
    </message>
    <message>
        <source>module</source>
        <translation>模块</translation>
    </message>
    <message>
        <source>parameter</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>protocol %1 (%2)</source>
        <translation>协议 %1 (%2)</translation>
    </message>
    <message>
        <source>protocol %1</source>
        <translation>协议 %1</translation>
    </message>
    <message>
        <source>%1 at (%2, %3)</source>
        <translation>%1 (%2, %3)</translation>
    </message>
    <message>
        <source>Static text</source>
        <translation>文本</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>寄存器</translation>
    </message>
    <message>
        <source>Lamp</source>
        <translation>指示灯</translation>
    </message>
    <message>
        <source>Function key</source>
        <translation>功能键</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>图片</translation>
    </message>
    <message>
        <source>Bar graph</source>
        <translation>棒状图</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>趋势图</translation>
    </message>
    <message>
        <source>Dynamic text</source>
        <translation>动态文本</translation>
    </message>
    <message>
        <source>Component</source>
        <translation>部件</translation>
    </message>
    <message>
        <source>The download cannot start: the project has %1 the panel or the download would hit (and %2).</source>
        <translation>无法开始下载：工程中有 %1，面板或下载会因此出错（另有 %2）。</translation>
    </message>
    <message>
        <source>The download cannot start: the project has %1 the panel or the download would hit.</source>
        <translation>无法开始下载：工程中有 %1，面板或下载会因此出错。</translation>
    </message>
    <message>
        <source>The project has %1.</source>
        <translation>工程中有 %1。</translation>
    </message>
    <message>
        <source>%1 errors</source>
        <translation>%1 个错误</translation>
    </message>
    <message>
        <source>%1 error</source>
        <translation>%1 个错误</translation>
    </message>
    <message>
        <source>%1 warnings</source>
        <translation>%1 个警告</translation>
    </message>
    <message>
        <source>%1 warning</source>
        <translation>%1 个警告</translation>
    </message>
    <message>
        <source>error: screen %1: %2 at (%3, %4): %5. %6</source>
        <translation>错误：画面 %1：%2 (%3, %4)：%5。%6</translation>
    </message>
    <message>
        <source>error: screen %1: %2. %3</source>
        <translation>错误：画面 %1：%2。%3</translation>
    </message>
    <message>
        <source>error: panel settings: %1. %2</source>
        <translation>错误：设置Orbis：%1。%2</translation>
    </message>
    <message>
        <source>error: alarm list: %1. %2</source>
        <translation>错误：报警列表：%1。%2</translation>
    </message>
    <message>
        <source>error: project: %1. %2</source>
        <translation>错误：工程：%1。%2</translation>
    </message>
    <message>
        <source>warning: screen %1: %2 at (%3, %4): %5. %6</source>
        <translation>警告：画面 %1：%2 (%3, %4)：%5。%6</translation>
    </message>
    <message>
        <source>warning: screen %1: %2. %3</source>
        <translation>警告：画面 %1：%2。%3</translation>
    </message>
    <message>
        <source>warning: panel settings: %1. %2</source>
        <translation>警告：设置Orbis：%1。%2</translation>
    </message>
    <message>
        <source>warning: alarm list: %1. %2</source>
        <translation>警告：报警列表：%1。%2</translation>
    </message>
    <message>
        <source>warning: project: %1. %2</source>
        <translation>警告：工程：%1。%2</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>……另有 %1 个。</translation>
    </message>
    <message>
        <source>The problem list shows every one; correct the errors first.</source>
        <translation>问题列表列出了全部问题；请先更正错误。</translation>
    </message>
    <message>
        <source>Download anyway?</source>
        <translation>仍然下载吗？</translation>
    </message>
    <message>
        <source>Cannot open %1: the file is damaged or was not written by this program (%2).</source>
        <translation>无法打开 %1：文件已损坏，或不是本程序写的（%2）。</translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation>无法打开 %1：%2。</translation>
    </message>
    <message>
        <source>Cannot save %1: %2. The previous file is unchanged.</source>
        <translation>无法保存 %1：%2。原来的文件没有改变。</translation>
    </message>
    <message>
        <source>Cannot save %1: %2.</source>
        <translation>无法保存 %1：%2。</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation>它是设备，不是文件</translation>
    </message>
    <message>
        <source>it holds %1 bytes, more than the %2 bytes of the largest %3</source>
        <translation>它有 %1 字节，超过了最大的%3的 %2 字节</translation>
    </message>
    <message>
        <source>it holds more than the %1 bytes of the largest %2</source>
        <translation>它超过了最大的%2的 %1 字节</translation>
    </message>
    <message>
        <source>there is not enough memory to read it</source>
        <translation>内存不足，无法读取</translation>
    </message>
    <message>
        <source>file this program reads</source>
        <translation>本程序读取的文件</translation>
    </message>
    <message>
        <source>project file</source>
        <translation>工程文件</translation>
    </message>
    <message>
        <source>old project file</source>
        <translation>旧工程文件</translation>
    </message>
    <message>
        <source>the file or folder does not exist</source>
        <translation>文件或文件夹不存在</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>没有权限</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>磁盘已满</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>文件系统是只读的</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>它是文件夹</translation>
    </message>
    <message>
        <source>too many symbolic links</source>
        <translation>符号链接的层数太多</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>文件是只读的</translation>
    </message>
    <message>
        <source>%1 is read-only. Do you want to save the project under another name?</source>
        <translation>%1 是只读的。要以另一个名字保存工程吗？</translation>
    </message>
    <message>
        <source>%1 already exists. Do you want to replace it?</source>
        <translation>%1 已存在。要替换它吗？</translation>
    </message>
    <message>
        <source>The file %1 exists already. Do you want to replace it?</source>
        <translation>文件 %1 已存在。要替换它吗？</translation>
    </message>
    <message>
        <source>The project was written to %1</source>
        <translation>工程已写入 %1</translation>
    </message>
    <message>
        <source>The import was cancelled; %1 is unchanged.</source>
        <translation>导入已取消；%1 没有改变。</translation>
    </message>
    <message>
        <source>There is not enough memory to read the project file of %1 bytes</source>
        <translation>内存不足，无法读取 %1 字节的工程文件</translation>
    </message>
    <message>
        <source>There is not enough memory to convert the old project file of %1 bytes.</source>
        <translation>内存不足，无法转换 %1 字节的旧工程文件。</translation>
    </message>
    <message>
        <source>The project file %1 has version %2, which this program cannot read (it reads 1, 10, 11 and 12).</source>
        <translation>工程文件 %1 的版本是 %2，本程序无法读取（可读取的版本为 1、10、11 和 12）。</translation>
    </message>
    <message>
        <source>The old project file is damaged: %1 does not convert into a readable project (%2).</source>
        <translation>旧工程文件已损坏：%1无法转换为可读取的工程（%2）。</translation>
    </message>
    <message>
        <source>The old project file is damaged: %1.</source>
        <translation>旧工程文件已损坏：%1。</translation>
    </message>
    <message>
        <source>Screen %1: the component at byte offset %2 has the unknown kind %3; the import stops.</source>
        <translation>画面 %1：字节偏移 %2 处的部件类型 %3 未知；导入停止。</translation>
    </message>
    <message>
        <source>the header of the old file</source>
        <translation>旧文件的文件头</translation>
    </message>
    <message>
        <source>Open project</source>
        <translation>打开工程</translation>
    </message>
    <message>
        <source>Save project</source>
        <translation>保存工程</translation>
    </message>
    <message>
        <source>Import old project</source>
        <translation>导入旧工程</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>The panel image would be %1 bytes, more than the panel&apos;s 32768 bytes. Remove texts, pictures or components and try again.</source>
        <translation>面板映像将有 %1 字节，超过面板的 32768 字节。请删除一些文本、图片或部件后再试。</translation>
    </message>
    <message>
        <source>Screen %1 appears more than once in the screen list; the panel could show only the first of them. Give each screen its own number.</source>
        <translation>画面 %1 在画面列表中出现了多次；面板只能显示其中第一个。请给每个画面不同的画面号。</translation>
    </message>
    <message>
        <source>Screen %1 holds %2 components; the panel shows at most 255 on a screen.</source>
        <translation>画面 %1 有 %2 个部件；面板每个画面最多显示 255 个。</translation>
    </message>
    <message>
        <source>Screen %1: %2 lies outside the 192 x 64 display; move it onto the display.</source>
        <translation>画面 %1：%2 位于 192 x 64 显示屏之外；请把它移到显示屏上。</translation>
    </message>
    <message>
        <source>The alarm list holds %1 texts; the panel takes at most %2.</source>
        <translation>报警列表有 %1 条文本；面板最多接受 %2 条。</translation>
    </message>
    <message>
        <source>Window %1, %2: upper limit %3, lower limit %4 become upper limit %5, lower limit %6</source>
        <translation>画面 %1，%2：上限 %3、下限 %4 改为上限 %5、下限 %6</translation>
    </message>
    <message>
        <source>Window %1, %2: full scale %3, zero scale %4 become full scale %5, zero scale %6</source>
        <translation>画面 %1，%2：满额度值 %3、零额度值 %4 改为满额度值 %5、零额度值 %6</translation>
    </message>
    <message>
        <source>Cancel the download</source>
        <translation>取消下载</translation>
    </message>
    <message>
        <source>Correct the limits and download</source>
        <translation>修正上下限并下载</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1。%2</translation>
    </message>
    <message>
        <source>The character &quot;%1&quot; (%2) cannot be stored in the GBK code page</source>
        <translation>字符“%1”(%2) 不能以 GBK 编码保存</translation>
    </message>
    <message>
        <source>The GBK code page is not available</source>
        <translation>没有 GBK 代码页</translation>
    </message>
    <message>
        <source>sub-type</source>
        <translation>子类型</translation>
    </message>
    <message>
        <source>offset</source>
        <translation>偏移</translation>
    </message>
    <message>
        <source>limits</source>
        <translation>上下限</translation>
    </message>
    <message>
        <source>scale</source>
        <translation>满额度值和零额度值</translation>
    </message>
    <message>
        <source>action</source>
        <translation>功能</translation>
    </message>
    <message>
        <source>the header ends at byte offset %1 before its 80 bytes</source>
        <translation>文件头在字节偏移 %1 处就结束了，不足 80 字节</translation>
    </message>
    <message>
        <source>screen %1 has a component at byte offset %2 beyond the end of the file</source>
        <translation>画面 %1 在字节偏移 %2 处的部件超出了文件末尾</translation>
    </message>
    <message>
        <source>screen %1: the picture at byte offset %2 has an impossible size %3</source>
        <translation>画面 %1：字节偏移 %2 处的图片大小 %3 不可能成立</translation>
    </message>
    <message>
        <source>screen %1: the component at byte offset %2 runs past the end of the file</source>
        <translation>画面 %1：字节偏移 %2 处的部件超出了文件末尾</translation>
    </message>
    <message>
        <source>a screen header at byte offset %1 runs past the end of the file</source>
        <translation>字节偏移 %1 处的画面头超出了文件末尾</translation>
    </message>
    <message>
        <source>the %1 alarm texts at byte offset %2 run past the end of the file</source>
        <translation>字节偏移 %2 处的 %1 条报警文本超出了文件末尾</translation>
    </message>
    <message>
        <source>%1 at (%2, %3) lies off the 192 x 64 display (x 0..191, y 0..63)</source>
        <translation>%1 (%2, %3) 位于 192 x 64 显示屏之外（x 0..191，y 0..63）</translation>
    </message>
    <message>
        <source>the description of screen %1 runs past the end of the file</source>
        <translation>画面 %1 的描述超出了文件末尾</translation>
    </message>
    <message>
        <source>Unexpected end of data reading %1 (%2 bytes needed, %3 left)</source>
        <translation>读取%1时数据意外结束（需要 %2 字节，只剩 %3 字节）</translation>
    </message>
    <message>
        <source>The count of %1 (%2) does not fit in the %3 bytes that remain</source>
        <translation>%1的数目（%2）超出了剩余的 %3 字节</translation>
    </message>
    <message>
        <source>The count %1 exceeds the %2 bytes that remain</source>
        <translation>数目 %1 超出了剩余的 %2 字节</translation>
    </message>
    <message>
        <source>The string length %1 exceeds the %2 bytes that remain</source>
        <translation>字符串长度 %1 超出了剩余的 %2 字节</translation>
    </message>
    <message>
        <source>A class name of length %1 is not a class name</source>
        <translation>长度为 %1 的类名不是有效的类名</translation>
    </message>
    <message>
        <source>Unknown class &quot;%1&quot;</source>
        <translation>未知的类“%1”</translation>
    </message>
    <message>
        <source>A reference to an earlier object (index %1) is not allowed</source>
        <translation>不允许引用之前的对象（索引 %1）</translation>
    </message>
    <message>
        <source>The class index %1 does not name a class read before</source>
        <translation>类索引 %1 不对应之前读到的任何类</translation>
    </message>
    <message>
        <source>No object of class &quot;%1&quot; can be created</source>
        <translation>无法创建类“%1”的对象</translation>
    </message>
    <message>
        <source>component record of kind %1 where kind %2 was expected</source>
        <translation>部件记录的种类为 %1，应为 %2</translation>
    </message>
    <message>
        <source>picture of %1 bytes runs past the end of the file</source>
        <translation>%1 字节的图片超出了文件末尾</translation>
    </message>
    <message>
        <source>screen %1 of the screen list is not a screen</source>
        <translation>画面列表中的第 %1 项不是画面</translation>
    </message>
    <message>
        <source>%1 at byte offset %2</source>
        <translation>字节偏移 %2 处：%1</translation>
    </message>
    <message>
        <source>A 16-bit-character string holds an unpaired surrogate</source>
        <translation>16 位字符的字符串含有不成对的代理项</translation>
    </message>
    <message>
        <source>Too many objects</source>
        <translation>对象过多</translation>
    </message>
    <message>
        <source>Objects are nested too deeply</source>
        <translation>对象嵌套过深</translation>
    </message>
    <message>
        <source>a screen&apos;s component list holds an object that is not a component</source>
        <translation>画面的部件列表中有一个不是部件的对象</translation>
    </message>
    <message>
        <source>picture description is damaged</source>
        <translation>图片描述已损坏</translation>
    </message>
    <message>
        <source>picture pixel count does not match its size</source>
        <translation>图片的像素数与其大小不符</translation>
    </message>
    <message>
        <source>picture image size does not match its width and height</source>
        <translation>图片数据的大小与其宽度和高度不符</translation>
    </message>
    <message>
        <source>an 8-bit value</source>
        <translation> 8 位数值</translation>
    </message>
    <message>
        <source>a 16-bit value</source>
        <translation> 16 位数值</translation>
    </message>
    <message>
        <source>a 32-bit value</source>
        <translation> 32 位数值</translation>
    </message>
    <message>
        <source>a block of bytes</source>
        <translation>字节块</translation>
    </message>
    <message>
        <source>a reserved block</source>
        <translation>保留块</translation>
    </message>
    <message>
        <source>a class name</source>
        <translation>类名</translation>
    </message>
    <message>
        <source>alarm texts</source>
        <translation>报警文本</translation>
    </message>
    <message>
        <source>components</source>
        <translation>部件</translation>
    </message>
    <message>
        <source>screens</source>
        <translation>画面</translation>
    </message>
    <message>
        <source>dynamic text values</source>
        <translation>动态文本的数值</translation>
    </message>
    <message>
        <source>dynamic text texts</source>
        <translation>动态文本的文本</translation>
    </message>
    <message>
        <source>dynamic text value texts</source>
        <translation>动态文本的数值文本</translation>
    </message>
    <message>
        <source>screen %1 (its record at byte offset %2)</source>
        <translation>画面 %1（其记录位于字节偏移 %2 处）</translation>
    </message>
    <message>
        <source>screen %1, component %2 (%3 at byte offset %4)</source>
        <translation>画面 %1 的第 %2 个部件（%3，位于字节偏移 %4 处）</translation>
    </message>
    <message>
        <source>the alarm list (its texts at byte offset %1)</source>
        <translation>报警列表（其文本位于字节偏移 %1 处）</translation>
    </message>
    <message>
        <source>Class &quot;%1&quot; has schema %2, expected %3 at byte offset %4</source>
        <translation>字节偏移 %4 处：类“%1”的版本为 %2，应为 %3</translation>
    </message>
    <message>
        <source>the record is not a %1</source>
        <translation>记录不是%1</translation>
    </message>
    <message>
        <source>the edit names screen position %1, which the project does not have</source>
        <translation>这一步涉及第 %1 个位置的画面，工程中没有它</translation>
    </message>
    <message>
        <source>the edit names component %1 of screen position %2, which the project does not have</source>
        <translation>这一步涉及第 %2 个位置画面上的第 %1 个部件，工程中没有它</translation>
    </message>
    <message>
        <source>component</source>
        <translation>部件</translation>
    </message>
    <message>
        <source>screen</source>
        <translation>画面</translation>
    </message>
</context>
</TS>
