object MessageForm: TMessageForm
  Left = 300
  Top = 250
  BorderIcons = []
  BorderStyle = bsSingle
  ClientHeight = 64
  ClientWidth = 340
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poScreenCenter
  object LabeledEdit1: TLabeledEdit
    Left = 8
    Top = 28
    Width = 156
    Height = 21
    Color = 13434828
    EditLabel.Caption = 'обработано записей'
    ReadOnly = True
    TabOrder = 0
  end
  object LabeledEdit2: TLabeledEdit
    Left = 176
    Top = 28
    Width = 156
    Height = 21
    Color = clRed
    EditLabel.Caption = 'не распознано записей'
    ReadOnly = True
    TabOrder = 1
  end
end
